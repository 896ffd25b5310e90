#pragma once

#include <QIcon>

// The designer's pictures, drawn here rather than shipped as files: the faces of the tool
// buttons, the settings icon of the elements, and the move handles.
class DesignerIcons
{
public:
    static QIcon background();   // background picture
    static QIcon screenColour(); // background colour
    static QIcon title();
    static QIcon dateTimeBar();
    static QIcon save();
    static QIcon close();
    static QIcon settings();
    // Four arrows, drawn at the given size so that the small handles stay sharp.
    static QIcon move(int size);
};
