#pragma once

#include <QProxyStyle>

// The platform's own style, with one picture drawn here instead of read from Qt's image files: the
// chevron of a menu bar's overflow button. Every menu bar asks for it as it is created, and reading
// it would make Qt load all of its image format plugins before the start screen is shown.
class Stile : public QProxyStyle
{
    Q_OBJECT

public:
    QIcon standardIcon(StandardPixmap icona, const QStyleOption *opzione = nullptr,
                       const QWidget *widget = nullptr) const override;
};
