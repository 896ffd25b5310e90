#pragma once

#include <QFont>

// The two faces of the administration screens: every form's text in Tahoma 8.25, and the
// headings in bold Palatino Linotype 14 (both replaced by the installed substitutes).
class FormFont
{
public:
    static QFont standard();
    static QFont heading();
};
