#include "componenti/finestre/Accessibilita.h"

#include "componenti/disposizione/Controlli.h"
#include "componenti/tasti/PulsanteOpzione.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QMouseEvent>
#include <QPointer>

namespace {

// Hidden from assistive tools like a widget that is not shown, when something opaque covers it.
QAccessible::State statoVisibile(QAccessible::State stato, const QWidget *widget)
{
    if (!stato.invisible && Accessibilita::coperto(widget)) {
        stato.invisible = true;
        stato.focusable = false;
    }
    return stato;
}

class EtichettaAccessibile : public QAccessibleWidget
{
public:
    explicit EtichettaAccessibile(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::StaticText)
    { }

    QString text(QAccessible::Text tipo) const override
    {
        if (tipo != QAccessible::Name)
            return QAccessibleWidget::text(tipo);
        QString nome = widget()->accessibleName();
        if (nome.isEmpty())
            nome = static_cast<const Etichetta *>(widget())->text();
        // The captions break their lines with a carriage return.
        return nome.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }

    QAccessible::State state() const override { return statoVisibile(QAccessibleWidget::state(), widget()); }
};

class PulsanteAccessibile : public QAccessibleWidget
{
public:
    explicit PulsanteAccessibile(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::Button)
    { }

    QString text(QAccessible::Text tipo) const override
    {
        if (tipo == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const PulsanteOpzione *>(widget())->text();
        return QAccessibleWidget::text(tipo);
    }

    QAccessible::State state() const override
    {
        QAccessible::State stato = QAccessibleWidget::state();
        stato.pressed = static_cast<const PulsanteOpzione *>(widget())->value();
        return statoVisibile(stato, widget());
    }

    QStringList actionNames() const override { return QStringList {pressAction()} + QAccessibleWidget::actionNames(); }

    // Pressing through an assistive tool is a mouse press and release on the button: its choice group
    // confirms it and moves the focus and the highlight as for a child's own press.
    void doAction(const QString &azione) override
    {
        if (azione != pressAction()) {
            QAccessibleWidget::doAction(azione);
            return;
        }
        QPointer<QWidget> pulsante = widget();
        if (!pulsante->isEnabled())
            return;
        const QPointF centro = QRectF(pulsante->rect()).center();
        const QPointF globale = pulsante->mapToGlobal(centro);
        QMouseEvent pressione(QEvent::MouseButtonPress, centro, globale, Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(pulsante, &pressione);
        if (!pulsante)
            return;
        QMouseEvent rilascio(QEvent::MouseButtonRelease, centro, globale, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(pulsante, &rilascio);
    }

    QStringList keyBindingsForAction(const QString &azione) const override
    {
        return azione == pressAction() ? QStringList {QStringLiteral("Return")}
                                       : QAccessibleWidget::keyBindingsForAction(azione);
    }
};

class GruppoAccessibile : public QAccessibleWidget
{
public:
    explicit GruppoAccessibile(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::Grouping)
    { }

    QAccessible::State state() const override { return statoVisibile(QAccessibleWidget::state(), widget()); }
};

QAccessibleInterface *descrizione(const QString &classe, QObject *oggetto)
{
    if (!oggetto || !oggetto->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(oggetto);
    if (classe == QLatin1String("Etichetta"))
        return new EtichettaAccessibile(widget);
    if (classe == QLatin1String("PulsanteOpzione"))
        return new PulsanteAccessibile(widget);
    // A named frame groups controls that belong together (a panel, the columns), rather than being a
    // window frame, as Qt would describe it.
    if (classe == QLatin1String("QFrame") && !widget->accessibleName().isEmpty())
        return new GruppoAccessibile(widget);
    return nullptr;
}

bool opaco(const QWidget *widget)
{
    return widget->autoFillBackground() || widget->testAttribute(Qt::WA_OpaquePaintEvent);
}

} // namespace

namespace Accessibilita {

void installa()
{
    static const bool installato = [] {
        QAccessible::installFactory(descrizione);
        return true;
    }();
    Q_UNUSED(installato);
}

bool coperto(const QWidget *widget)
{
    for (const QWidget *livello = widget; livello && !livello->isWindow(); livello = livello->parentWidget()) {
        const QWidget *contenitore = livello->parentWidget();
        if (!contenitore)
            break;
        // A container's children are painted in their order, the last one on top.
        const QObjectList &fratelli = contenitore->children();
        for (qsizetype i = fratelli.indexOf(const_cast<QWidget *>(livello)) + 1; i < fratelli.size(); ++i) {
            const QObject *fratello = fratelli.at(i);
            if (!fratello->isWidgetType())
                continue;
            const auto *sopra = static_cast<const QWidget *>(fratello);
            if (!sopra->isWindow() && sopra->isVisible() && opaco(sopra)
                && sopra->geometry().contains(livello->geometry()))
                return true;
        }
    }
    return false;
}

} // namespace Accessibilita
