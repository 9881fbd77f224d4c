#include "componenti/tasti/ScansioneAutomatica.h"

#include "componenti/tasti/EventoScansione.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

ScansioneAutomatica::ScansioneAutomatica(std::chrono::milliseconds intervallo, QObject *parent, bool orologio)
    : QObject(parent)
    , m_intervallo(intervallo)
    , m_orologio(orologio)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ScansioneAutomatica::scatto);
    // The focus moved by something else than a step (a new screen, the program, a choice): the new item
    // holds, and the loops are counted afresh.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *ora) {
        if (ora && !m_inPasso)
            riparti();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState stato) {
        if (stato == Qt::ApplicationActive)
            riparti();
    });
    qApp->installEventFilter(this);
    programma();
}

ScansioneAutomatica::~ScansioneAutomatica()
{
    qApp->removeEventFilter(this);
}

std::chrono::milliseconds ScansioneAutomatica::attesa() const
{
    if (m_ferma)
        return std::chrono::milliseconds(0);
    return m_primo ? 2 * m_intervallo : m_intervallo;
}

void ScansioneAutomatica::scatto()
{
    QWidget *fuoco = QApplication::focusWidget();
    if (m_ferma || m_sospesa || !QApplication::activeWindow() || !fuoco) {
        programma();
        return;
    }
    EventoScansione passo(EventoScansione::Azione::Passo);
    m_inPasso = true;
    QCoreApplication::sendEvent(fuoco, &passo);
    m_inPasso = false;
    m_primo = false;
    // Three whole loops of the group with no press: stop where it is.
    if (passo.elementi > 0 && ++m_passi >= GiriSenzaPressioni * passo.elementi)
        m_ferma = true;
    programma();
}

void ScansioneAutomatica::sospendi(bool sospesa)
{
    m_sospesa = sospesa;
    if (!sospesa)
        riparti();
}

// The switch: it chooses the highlighted item, or only wakes scanning up where it had stopped.
void ScansioneAutomatica::pressione()
{
    if (m_sospesa)
        return;
    if (m_ferma) {
        m_ferma = false;
        riparti();
        return;
    }
    QPointer<QWidget> fuoco = QApplication::focusWidget();
    if (fuoco) {
        EventoScansione scelta(EventoScansione::Azione::Scelta);
        QCoreApplication::sendEvent(fuoco, &scelta);
    }
    riparti();
}

void ScansioneAutomatica::riparti()
{
    m_primo = true;
    m_passi = 0;
    programma();
}

void ScansioneAutomatica::programma()
{
    if (!m_orologio)
        return;
    if (m_ferma)
        m_timer.stop();
    else
        m_timer.start(attesa());
}

bool ScansioneAutomatica::eventFilter(QObject *oggetto, QEvent *evento)
{
    switch (evento->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto *tasto = static_cast<QKeyEvent *>(evento);
        const bool interruttore
            = tasto->key() == Qt::Key_Space || tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter;
        if (!interruttore)
            break;
        // A held switch chooses once; its release and its repeats do nothing.
        if (evento->type() == QEvent::KeyPress && !tasto->isAutoRepeat())
            pressione();
        return true;
    }
    case QEvent::TouchBegin:
        m_toccoInCorso = true;
        pressione();
        return true;
    case QEvent::TouchUpdate:
        return m_toccoInCorso;
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        if (!m_toccoInCorso)
            break;
        m_toccoInCorso = false;
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // Anywhere on the window, any button; a press a finger already made is not made again.
        if (!oggetto->isWidgetType() && !oggetto->isWindowType())
            break;
        if (static_cast<QMouseEvent *>(evento)->source() == Qt::MouseEventNotSynthesized && !m_mouseGiu) {
            m_mouseGiu = true;
            pressione();
        }
        return true;
    case QEvent::MouseButtonRelease:
        if (!oggetto->isWidgetType() && !oggetto->isWindowType())
            break;
        m_mouseGiu = false;
        return true;
    default:
        break;
    }
    return QObject::eventFilter(oggetto, evento);
}
