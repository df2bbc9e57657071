#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for: "marvolia [FILE]", "--help", "--version".
enum class StartAction { Run, Help, Version, Wrong };

struct StartRequest {
    StartAction action = StartAction::Run;
    QString file;  // the project to open, when one was given
    QString fault; // what is wrong with the command line, for Wrong
};

// The arguments after the program's name. "--" ends the options, so a file
// whose name starts with "-" can be opened.
StartRequest parseStartArguments(const QStringList& arguments);

// The short usage, ending with a line end.
QString usageText();
// "marvolia 0.1.0" and a line end.
QString versionText();
