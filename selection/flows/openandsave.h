#pragma once

#include "platform/files/fileresult.h"
#include "selection/flows/relink.h"

#include <QList>
#include <QString>

class OrderController;

// Command3 (OrderController::saveProject): saves the grid's rows as a project
// file the user names, the dialog proposing the project open now. Written in
// full or not at all; project_path changes only when it was. Whether it was
// written (false: the user cancelled), or why not, which the user was told.
FileResult<bool> runSave(OrderController& c);
// Ctrl+S: saves over the project open now, the one last opened or saved,
// without a dialog; as Command3 when there is none, or when the order could
// not take the whole file it was opened from.
void saveOpenProject(OrderController& c);

// Asks "Do you want to save actual proyect ?" when the grid holds rows, and
// saves on Yes; whether to go on and replace the selection.
bool offerToSave(OrderController& c);

// A project file dropped on the window: opened as Command4 opens the one
// picked in its dialog, after the same question.
void openProjectFile(OrderController& c, const QString& file);

// Closing the window: an order that changed since it was last saved or
// opened, and is not empty, is offered for saving first. True when the window
// may close; No closes, Cancel and a save that did not happen keep it open.
bool mayCloseOrder(OrderController& c);

// The marker picture shown on rows with "0" copies: no.jpg beside the program.
QString markerPicturePath();

// Reads and checks the whole file, then replaces the selection with it and
// makes it the project open now (project_path); a file that cannot be used
// leaves the selection and project_path as they were and says why. When
// photos are missing it offers to look for them; gives back what finding them
// changed (see relinkRows).
QList<RowPath> loadProject(OrderController& c, const QString& file, const QString& markerPath);

// Where the loading progress bar ends: the count of the first line, unless the
// file holds more records than that; never less than 1.
int loadingProgressMaximum(int count, int records);
