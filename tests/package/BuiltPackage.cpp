#include "BuiltPackage.h"

#include "ToolRun.h"

#include <QDir>

bool BuiltPackage::build()
{
    const ToolRun cpack = ToolRun::of(QStringLiteral(HALVORN_CPACK_COMMAND),
        { QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
            QStringLiteral(HALVORN_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"),
            m_output.path() });
    const QDir output(m_output.path());
    const QStringList packages = output.entryList({ QStringLiteral("halvorn_*.deb") }, QDir::Files);
    if (cpack.exitCode != 0 || packages.size() != 1) {
        m_error = cpack.output;
        return false;
    }
    m_path = output.filePath(packages.first());
    return true;
}
