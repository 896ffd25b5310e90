#pragma once

class Dialogs;
class QKeyEvent;
class QWidget;

// What the editors with a save command share about leaving: Escape would reject them at
// once and lose every edit, so it is swallowed; the window's own close asks first when
// there are edits not yet saved.
class UnsavedEdits
{
public:
    // True when the key was Escape and has been taken.
    static bool swallowEscape(QKeyEvent *event);
    // Asks whether to close all the same; false keeps the editor open.
    static bool mayClose(Dialogs &dialogs, QWidget *editor);
};
