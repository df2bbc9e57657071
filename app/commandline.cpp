#include "app/commandline.h"

StartRequest parseStartArguments(const QStringList& arguments) {
    StartRequest request;
    bool options = true;
    QStringList files;
    for (const QString& argument : arguments) {
        if (options && argument == QStringLiteral("--")) {
            options = false;
        } else if (options && argument == QStringLiteral("--help")) {
            return {StartAction::Help, {}, {}};
        } else if (options && argument == QStringLiteral("--version")) {
            return {StartAction::Version, {}, {}};
        } else if (options && argument.startsWith(QLatin1Char('-'))) {
            return {StartAction::Wrong,
                    {},
                    QStringLiteral("marvolia: unknown option \"%1\"\n").arg(argument)};
        } else {
            files << argument;
        }
    }
    if (files.size() > 1)
        return {StartAction::Wrong,
                {},
                QStringLiteral("marvolia: one project file at most, not %1\n").arg(files.size())};
    if (!files.isEmpty())
        request.file = files.constFirst();
    return request;
}

QString usageText() {
    return QStringLiteral("Usage: marvolia [FILE]\n"
                          "Puts together a photo print order; opens the project FILE (.mvl) "
                          "when one is given.\n"
                          "\n"
                          "  --help     show this help and exit\n"
                          "  --version  show the version and exit\n");
}

QString versionText() {
    return QStringLiteral("marvolia %1\n").arg(QStringLiteral(MARVOLIA_VERSION));
}
