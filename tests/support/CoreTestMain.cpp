#include <QCoreApplication>

#include "passwords/VaultParameters.h"

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Vaults sealed by tests stretch their keys as little as libsodium allows.
    VaultParameters::acceptFastestForTests();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
