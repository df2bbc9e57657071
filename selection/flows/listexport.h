#pragma once

#include <QString>

#include <functional>

class OrderController;

// The name the copy export's Save dialog proposes: in the folder the photos
// go to, the project's file name with ".txt", or "untitled.txt" before a
// project was saved. The list lands beside the photos, not beside the project.
QString proposedFolderListName(const QString& folder, const QString& project_path);

// Shows the Save dialog for a list, preset as both exports preset it, with
// the name proposed; the chosen path, or empty when the user cancelled.
QString askListFile(OrderController& c, const QString& proposed);

// Shows text in the usual message box when called later, as long as the
// window is still there: for a started program that reports failure after
// the handler that started it has ended.
std::function<void()> tellLater(OrderController& c, const QString& text);
