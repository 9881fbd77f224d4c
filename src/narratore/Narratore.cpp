#include "narratore/Narratore.h"

#include "componenti/tasti/EventoScansione.h"
#include "serie/Serie.h"
#include "voce/Voce.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

QString nomeAccessibile(QWidget *widget)
{
    if (QAccessibleInterface *descrizione = QAccessible::queryAccessibleInterface(widget)) {
        const QString nome = descrizione->text(QAccessible::Name);
        if (!nome.isEmpty())
            return nome;
    }
    return widget->accessibleName();
}

} // namespace

Narratore::Narratore(Serie &serie, Voce &voce, QObject *parent)
    : QObject(parent)
    , m_serie(serie)
    , m_voce(voce)
{
    connect(&m_serie, &Serie::colonnaArmata, this, [this](int colonna) {
        annuncia(QStringLiteral("%1 per %2").arg(m_serie.tabella()).arg(m_serie.fattore(colonna)));
    });
    connect(&m_serie, &Serie::rispostaCambiata, this, &Narratore::annuncia);
    connect(&m_serie, &Serie::verdetto, this,
            [this](int, bool giusta) { annuncia(giusta ? QStringLiteral("Giusto") : QStringLiteral("Sbagliato")); });
    connect(&m_serie, &Serie::rispostaRivelata, this,
            [this](int, const QString &attesa) { annuncia(attesa.trimmed()); });
    connect(&m_serie, &Serie::aiutoOfferto, this, [this] { annuncia(QStringLiteral("Ti aiuto?")); });
    connect(&m_serie, &Serie::intervento, this, [this] { annuncia(QStringLiteral("Intervengo io")); });
    connect(&m_serie, &Serie::avvisoDovuto, this,
            [this] { annuncia(QStringLiteral("Se ricominci gli esercizi andranno persi")); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *ora) { fuocoSu(ora); });
    qApp->installEventFilter(this);
}

Narratore::~Narratore()
{
    qApp->removeEventFilter(this);
}

QString Narratore::leggibile(const QString &testo)
{
    static const QRegularExpression lettereSpaziate(QStringLiteral("^\\s*\\w( \\w)+\\s*$"));
    QString letto = testo.simplified();
    if (lettereSpaziate.match(testo).hasMatch())
        letto.remove(QLatin1Char(' '));
    return letto;
}

void Narratore::annuncia(const QString &testo)
{
    if (testo.isEmpty())
        return;
    m_annunci.append(testo);
    prossimamente();
}

void Narratore::fuocoSu(QWidget *widget)
{
    if (!widget)
        return;
    // A message box says its text once, as it opens, before the button that has the focus.
    if (auto *messaggio = qobject_cast<QMessageBox *>(widget->window()); messaggio && m_messaggioDetto != messaggio) {
        m_messaggioDetto = messaggio;
        annuncia(messaggio->text());
    }
    m_fuoco = widget;
    prossimamente();
}

// A fresh press, a key or a button or a finger, cuts the voice: whatever it brings is said instead.
bool Narratore::eventFilter(QObject *oggetto, QEvent *evento)
{
    // Automatic scanning's steps and choices are presses too: a highlight that moved on makes the last
    // item's name stale.
    if (evento->type() == EventoScansione::tipo()) {
        m_premuto = true;
        prossimamente();
        return QObject::eventFilter(oggetto, evento);
    }
    switch (evento->type()) {
    case QEvent::KeyPress:
        if (!static_cast<QKeyEvent *>(evento)->isAutoRepeat()) {
            m_premuto = true;
            prossimamente();
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::TouchBegin:
        m_premuto = true;
        prossimamente();
        break;
    default:
        break;
    }
    return QObject::eventFilter(oggetto, evento);
}

// Once the event at hand has been handled, and whatever it announced with it.
void Narratore::prossimamente()
{
    if (m_inAttesa)
        return;
    m_inAttesa = true;
    QMetaObject::invokeMethod(this, &Narratore::pronuncia, Qt::QueuedConnection);
}

void Narratore::pronuncia()
{
    m_inAttesa = false;
    QStringList testi = m_annunci;
    m_annunci.clear();
    if (m_fuoco)
        testi.append(leggibile(nomeAccessibile(m_fuoco)));
    m_fuoco = nullptr;
    testi.removeAll(QString());
    // One utterance, each piece ending as a sentence, so that the engine pauses between them.
    QString frase;
    for (const QString &testo : std::as_const(testi)) {
        if (!frase.isEmpty())
            frase += frase.back().isPunct() ? QStringLiteral(" ") : QStringLiteral(". ");
        frase += testo;
    }
    // A press cuts whatever is still being said; what follows by itself (a window opening, the focus the
    // program moves afterwards) is said after it.
    if (frase.isEmpty() && m_premuto)
        m_voce.taci();
    else if (m_premuto)
        m_voce.di(frase);
    else if (!frase.isEmpty())
        m_voce.aggiungi(frase);
    m_premuto = false;
}
