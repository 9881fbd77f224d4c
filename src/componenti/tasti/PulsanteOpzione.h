#pragma once

#include <QAbstractButton>
#include <QColor>

// An option button drawn as a large push button: a caption, a background colour that the choice
// group switches to show the focus, and a selected state (`value`) in which it is drawn pressed.
// It does nothing by itself with keys or the mouse: its GruppoScelta decides everything.
class PulsanteOpzione : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
    Q_PROPERTY(bool value READ value WRITE setValue)

public:
    explicit PulsanteOpzione(const QString &caption, QWidget *parent = nullptr);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &colore);

    bool value() const { return m_value; }
    void setValue(bool selezionato);

    void setColoreTesto(const QColor &colore);

    // The ring around the focused button: dark enough to stand out on the highlight colour and on
    // the background around the button.
    static QColor coloreAnelloFuoco() { return QColor(0, 0, 128); }
    static constexpr int SpessoreAnelloFuoco = 3;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *evento) override;

private:
    QColor m_backColor;
    bool m_value = false;
};
