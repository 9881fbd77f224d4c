#pragma once

#include "stampa/Stampante.h"

#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QPoint>

#include <atomic>
#include <memory>
#include <mutex>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

// The page drawn with QPainter at 1200 dots per inch, either on a QPrinter for the system's default
// printer or into a PDF file by QPdfWriter, which never asks the print system anything. Nothing is
// begun until the first text is printed, so a page given up before then (no Courier font) leaves no
// trace: no job, no file. A PDF is written into a hidden temporary file next to its destination and
// takes its name only once it is complete, never overwriting a file that is already there: the name
// then gets " (2)", " (3)"...
//
// The default printer is looked up when the page is begun, on the printing thread, never before. Its
// page reaches its queue as CodaDiStampa says for the system, and the document's end reports the
// queue's answer: printed (or kept by a paused queue), or refused with the reason. On Linux the page
// is first drawn, with the printer's own page and places, into a hidden file in the temporary folder,
// which goes once the queue has answered.
class StampanteQt : public Stampante
{
public:
    static std::unique_ptr<StampanteQt> predefinita();
    static std::unique_ptr<StampanteQt> pdf(const QString &percorso);

    ~StampanteQt() override;

    // The system's font families. "Courier" and "Courier New" are among them when the font
    // configuration maps them to an installed fixed-pitch family, which is then what the page uses.
    static QStringList fontDiSistema();

    QStringList elencoFont() const override;
    void setNomeFont(const QString &nome) override;
    void setDimensioneFont(qreal punti) override;
    void setGrassetto(bool grassetto) override;
    void setX(int twips) override;
    void setY(int twips) override;
    void stampa(const QString &testo) override;
    Esito fineDocumento() override;
    QString motivo() const override;
    QString nome() const override;
    void annulla() override;
    bool attendeUtente() const override { return m_attendeUtente.load(); }

    // The page and its printable area (empty when there is no printer, or before it is looked up).
    QPageLayout impaginazione() const;
    // Where the PDF was saved, once fineDocumento() has succeeded.
    QString percorsoSalvato() const { return m_salvato; }

private:
    enum class Destinazione
    {
        Predefinita,
        Pdf
    };
    enum class Stato
    {
        DaIniziare,
        Avviato,
        Finito,
        NessunaStampante,
        Rifiutato,
        Errore
    };

    StampanteQt(Destinazione destinazione, const QString &percorso);

    bool cercaPredefinita();
    bool avvia();
    void fallisce(Stato stato, const QString &motivo);
    void scarta();
    void consegnaPdf();
    void consegnaAllaCoda(bool chiuso);
    qreal unitaDispositivo(int twips) const;

    Destinazione m_destinazione;
    QString m_percorso;
    mutable std::mutex m_mutexNome;
    QString m_nome;
    std::atomic_bool m_annullato {false};
    std::atomic_bool m_attendeUtente {false};
    QString m_temporaneo;
    QString m_salvato;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPdfWriter> m_pdf;
    QPagedPaintDevice *m_dispositivo = nullptr;
    QPainter m_painter;
    QFont m_font;
    QPoint m_posizione;
    Stato m_stato = Stato::DaIniziare;
    QString m_motivo;
};
