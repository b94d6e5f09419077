#include "PasswordsCommand.h"

#include "MasterPasswordInput.h"
#include "passwords/KeeperProtection.h"

#include <unistd.h>

int PasswordsCommand::run(const DataToolOptions& options)
{
    const QString action = options.positional.value(1);
    if (options.positional.size() != 2
        || (action != u"protect" && action != u"unprotect" && action != u"change-master"))
        return usageError(QStringLiteral("passwords takes protect, unprotect or change-master"));
    const ProgramFolder folder(options.folder);
    const bool isProtected = KeeperProtection::isProtected(folder);
    if (action == u"protect" && isProtected)
        return problem(QStringLiteral("the Password Keeper is already protected"));
    if (action != u"protect" && !isProtected)
        return problem(QStringLiteral("the Password Keeper is not protected"));

    MasterPasswordInput input(m_err);
    auto ask = [&input](const QString& prompt) {
        std::optional<SecretBytes> read = input.read(prompt);
        return read ? std::move(*read) : SecretBytes();
    };
    KeeperProtection protection(folder);
    Outcome done = Outcome::success();
    if (action == u"protect") {
        const SecretBytes password = ask(QStringLiteral("New master password"));
        // On a terminal a typing slip would lock the user out for good.
        if (isatty(STDIN_FILENO) && !(ask(QStringLiteral("Repeat it")) == password))
            return problem(QStringLiteral("the two passwords differ; nothing was changed"));
        done = protection.protect(password.view());
    } else if (action == u"unprotect") {
        done = protection.unprotect(ask(QStringLiteral("Master password")).view());
    } else {
        const SecretBytes old = ask(QStringLiteral("Master password"));
        const SecretBytes next = ask(QStringLiteral("New master password"));
        if (isatty(STDIN_FILENO) && !(ask(QStringLiteral("Repeat it")) == next))
            return problem(QStringLiteral("the two passwords differ; nothing was changed"));
        done = protection.changeMasterPassword(old.view(), next.view());
    }
    if (!done)
        return problem(done.message());
    print(m_out,
        action == u"protect"
            ? QStringLiteral("The Password Keeper is protected. Backups and copies made before "
                             "stay as they were: they still hold it unprotected.\n")
            : action == u"unprotect"
            ? QStringLiteral("The Password Keeper is no longer protected.\n")
            : QStringLiteral("The master password has been changed.\n"));
    return Success;
}
