#pragma once

#include <QString>

class Prompts;
class QWidget;

// Asks for a folder, starting at the file-system root; the empty text on cancel.
QString BrowseFolder(Prompts &prompts, QWidget *owner, const QString &title);
