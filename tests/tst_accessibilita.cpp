// What a screen reader or switch software learns about the start and exercise screens: every button
// and label the child can use or read by its caption and role, the panels and windows by name, only
// what can be seen, and a focus that is always the highlighted button.

#include "aiuto.h"

#include "Versione.h"
#include "applicazione/Navigatore.h"
#include "componenti/disposizione/Controlli.h"
#include "componenti/tasti/PulsanteOpzione.h"
#include "schermate/esercizio/SchermataEsercizio.h"
#include "serie/Serie.h"

#include <QAccessible>
#include <QFrame>
#include <QTest>

#include <optional>

using namespace Aiuto;

namespace {

const QColor Evidenza(255, 192, 128);

QAccessibleInterface *descrizione(QObject *oggetto)
{
    return QAccessible::queryAccessibleInterface(oggetto);
}

QString nome(QObject *oggetto)
{
    return descrizione(oggetto)->text(QAccessible::Name);
}

bool visibile(QObject *oggetto)
{
    return !descrizione(oggetto)->state().invisible;
}

// The names of the visible buttons, in creation order, as a screen reader lists them.
QStringList pulsantiVisibili(QWidget *finestra)
{
    QStringList nomi;
    for (PulsanteOpzione *pulsante : finestra->findChildren<PulsanteOpzione *>()) {
        if (visibile(pulsante))
            nomi << nome(pulsante);
    }
    return nomi;
}

QStringList etichetteVisibili(QWidget *finestra)
{
    QStringList nomi;
    for (Etichetta *etichetta : finestra->findChildren<Etichetta *>()) {
        if (visibile(etichetta))
            nomi << nome(etichetta);
    }
    return nomi;
}

} // namespace

#define VERIFICA_FUOCO(finestra, atteso)                                                                               \
    do {                                                                                                               \
        verificaFuoco(finestra, QStringLiteral(atteso));                                                               \
        if (QTest::currentTestFailed())                                                                                \
            return;                                                                                                    \
    } while (false)

class tst_Accessibilita : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

private Q_SLOTS:
    void init();
    void cleanup();

    void ogniControlloHaNomeERuolo();
    void schermataInizio();
    void schermataEsercizio();
    void soloIlPannelloDavantiSiLegge();
    void fuocoRiferitoEdEvidenziato();
    void premereDaUnAusilioConferma();

private:
    SchermataEsercizio *apriEsercizio(int tabella);
    void verificaFuoco(QWidget *finestra, const QString &atteso);
};

void tst_Accessibilita::init()
{
    Aiuto::daCapo(m_serie, m_navigatore);
}

void tst_Accessibilita::cleanup()
{
    chiudiTutto();
}

SchermataEsercizio *tst_Accessibilita::apriEsercizio(int tabella)
{
    m_serie->scegliTabella(tabella);
    auto *w = m_navigatore->apriEsercizio();
    if (!QTest::qWaitForWindowActive(w))
        return nullptr;
    return w;
}

// The focused control reports the focus, it alone among the buttons, and it is the highlighted one.
void tst_Accessibilita::verificaFuoco(QWidget *finestra, const QString &atteso)
{
    QWidget *fuoco = QApplication::focusWidget();
    QVERIFY(fuoco);
    QCOMPARE(nome(fuoco), atteso);
    QVERIFY(descrizione(fuoco)->state().focused);
    for (PulsanteOpzione *pulsante : finestra->findChildren<PulsanteOpzione *>()) {
        if (pulsante == fuoco) {
            QCOMPARE(pulsante->backColor(), Evidenza);
        } else {
            QVERIFY2(!descrizione(pulsante)->state().focused, qPrintable(pulsante->objectName()));
            if (pulsante->objectName() != QLatin1String("ok")) // always drawn highlighted
                QVERIFY2(pulsante->backColor() != Evidenza, qPrintable(pulsante->objectName()));
        }
    }
}

void tst_Accessibilita::ogniControlloHaNomeERuolo()
{
    SchermataInizio *inizio = apriInizio(*m_navigatore);
    QVERIFY(inizio);
    SchermataEsercizio *esercizio = apriEsercizio(4);
    QVERIFY(esercizio);
    for (QWidget *finestra : {static_cast<QWidget *>(inizio), static_cast<QWidget *>(esercizio)}) {
        for (PulsanteOpzione *pulsante : finestra->findChildren<PulsanteOpzione *>()) {
            QCOMPARE(descrizione(pulsante)->role(), QAccessible::Button);
            QCOMPARE(nome(pulsante), pulsante->text());
        }
        for (Etichetta *etichetta : finestra->findChildren<Etichetta *>()) {
            QCOMPARE(descrizione(etichetta)->role(), QAccessible::StaticText);
            QString atteso = etichetta->text();
            QCOMPARE(nome(etichetta), atteso.replace(QLatin1Char('\r'), QLatin1Char('\n')));
        }
    }
    // The line break of a caption reads as a line break, not as a raw carriage return.
    QCOMPARE(nome(controllo(inizio, QStringLiteral("versione"))),
             QStringLiteral("Vers.%1\nMouse ").arg(VersioneContalino));
}

void tst_Accessibilita::schermataInizio()
{
    SchermataInizio *inizio = apriInizio(*m_navigatore);
    QVERIFY(inizio);
    QCOMPARE(nome(inizio), QStringLiteral("Tavole della moltiplicazione"));
    QCOMPARE(pulsantiVisibili(inizio),
             (QStringList {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "Vai", "Ripristina", "Esci"}));
    QCOMPARE(etichetteVisibili(inizio),
             (QStringList {"Contalino", QStringLiteral("Vers.%1\nMouse ").arg(VersioneContalino), "Tabella ",
                           "Il nuovo software di Ulmo"}));
    for (const auto &[oggetto, atteso] : {std::pair {"tabelle", "Tabelle"}, std::pair {"comandi", "Comandi"}}) {
        QWidget *gruppo = controllo(inizio, QLatin1String(oggetto));
        QCOMPARE(descrizione(gruppo)->role(), QAccessible::Grouping);
        QCOMPARE(nome(gruppo), QLatin1String(atteso));
    }

    // A chosen table is read from the label as soon as it changes.
    tasti(inizio, {Qt::Key_3, Qt::Key_Return});
    QCOMPARE(nome(controllo(inizio, QStringLiteral("tabellaScelta"))), QStringLiteral("Tabella del 3"));
}

void tst_Accessibilita::schermataEsercizio()
{
    SchermataEsercizio *w = apriEsercizio(4);
    QVERIFY(w);
    QCOMPARE(nome(w), QStringLiteral("TABELLA"));
    for (const auto &[oggetto, atteso] :
         {std::pair {"operazioni", "Operazioni"}, std::pair {"pannelloTastierino", "Tastierino"},
          std::pair {"pannelloAiuto", "Aiuto"}, std::pair {"pannelloIntervento", "Intervento"},
          std::pair {"pannelloAvviso", "Avviso"}}) {
        QWidget *pannello = controllo(w, QLatin1String(oggetto));
        QCOMPARE(descrizione(pannello)->role(), QAccessible::Grouping);
        QCOMPARE(nome(pannello), QLatin1String(atteso));
    }

    // The columns: the table, then each factor and result box; the first column is armed with its
    // sign, its equals sign and the question mark.
    const QStringList etichette = etichetteVisibili(w);
    QStringList attese {QStringLiteral("4"), QString(QChar(0x00D7)), nome(controllo(w, QStringLiteral("fattore(0)"))),
                        QStringLiteral("="), QStringLiteral("?")};
    for (int c = 1; c < 10; ++c)
        attese << nome(controllo(w, QStringLiteral("fattore(%1)").arg(c))) << QString();
    QCOMPARE(etichette, attese);
    QStringList fattori;
    for (int c = 0; c < 10; ++c)
        fattori << nome(controllo(w, QStringLiteral("fattore(%1)").arg(c)));
    fattori.sort();
    QCOMPARE(fattori, (QStringList {"1", "10", "2", "3", "4", "5", "6", "7", "8", "9"}));

    // A typed digit is read from the result box.
    premi(w, Qt::Key_7);
    QCOMPARE(nome(controllo(w, QStringLiteral("risultato(0)"))), QStringLiteral("7"));
}

void tst_Accessibilita::soloIlPannelloDavantiSiLegge()
{
    SchermataEsercizio *w = apriEsercizio(3);
    QVERIFY(w);
    QCOMPARE(pulsantiVisibili(w), (QStringList {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "Cancella", "Invio",
                                                "Nuova Tabella", "Esco"}));
    // The anchor label under the panels is not read either.
    QVERIFY(!visibile(controllo(w, QStringLiteral("riferimento"))));
    QVERIFY(!visibile(controllo(w, QStringLiteral("tiAiuto"))));
    QVERIFY(visibile(controllo(w, QStringLiteral("pannelloTastierino"))));
    for (const char *pannello : {"pannelloAiuto", "pannelloIntervento", "pannelloAvviso"})
        QVERIFY2(!visibile(controllo(w, QLatin1String(pannello))), pannello);

    // A wrong answer brings the help offer forward: now it alone is read.
    const int fattore = controllo<QLabel>(w, QStringLiteral("fattore(0)"))->text().toInt();
    for (const QChar cifra : QString::number(3 * fattore + 1))
        premi(w, Qt::Key(Qt::Key_0 + cifra.digitValue()));
    tasti(w, {Qt::Key_I, Qt::Key_Return});
    QCOMPARE(pulsantiVisibili(w), (QStringList {"SI", "NO"}));
    QVERIFY(visibile(controllo(w, QStringLiteral("tiAiuto"))));
    QCOMPARE(nome(controllo(w, QStringLiteral("tiAiuto"))), QStringLiteral("Ti aiuto ?"));
    QVERIFY(!visibile(controllo(w, QStringLiteral("intervengoIo"))));
    QVERIFY(visibile(controllo(w, QStringLiteral("pannelloAiuto"))));
    QVERIFY(!visibile(controllo(w, QStringLiteral("pannelloTastierino"))));
    VERIFICA_FUOCO(w, "SI");
}

void tst_Accessibilita::fuocoRiferitoEdEvidenziato()
{
    SchermataInizio *inizio = apriInizio(*m_navigatore);
    QVERIFY(inizio);
    VERIFICA_FUOCO(inizio, "0");
    premi(inizio, Qt::Key_3);
    VERIFICA_FUOCO(inizio, "3");
    premi(inizio, Qt::Key_Space);
    VERIFICA_FUOCO(inizio, "4");
    premi(inizio, Qt::Key_Return);
    VERIFICA_FUOCO(inizio, "Vai");
    clic(controllo(inizio, QStringLiteral("ripristina")), Qt::RightButton);
    VERIFICA_FUOCO(inizio, "0");

    tasti(inizio, {Qt::Key_5, Qt::Key_Return, Qt::Key_Return});
    auto *w = m_navigatore->istanza<SchermataEsercizio>();
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    VERIFICA_FUOCO(w, "0");
    premi(w, Qt::Key_E);
    VERIFICA_FUOCO(w, "0"); // "Esco" is not available yet: the focus stays
    tasti(w, {Qt::Key_Space, Qt::Key_Space});
    VERIFICA_FUOCO(w, "2");
}

void tst_Accessibilita::premereDaUnAusilioConferma()
{
    SchermataInizio *inizio = apriInizio(*m_navigatore);
    QVERIFY(inizio);
    QAccessibleActionInterface *azioni
        = descrizione(controllo(inizio, QStringLiteral("tabella(6)")))->actionInterface();
    QVERIFY(azioni);
    QVERIFY(azioni->actionNames().contains(QAccessibleActionInterface::pressAction()));
    azioni->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m_serie->tabella(), 6);
    QCOMPARE(nome(controllo(inizio, QStringLiteral("tabellaScelta"))), QStringLiteral("Tabella del 6"));
    VERIFICA_FUOCO(inizio, "Vai");
    QVERIFY(!controllo<PulsanteOpzione>(inizio, QStringLiteral("tabella(6)"))->value());
}

QTEST_MAIN(tst_Accessibilita)
#include "tst_accessibilita.moc"
