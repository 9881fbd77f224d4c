// The floor of the key-to-pixel benchmark: the least a Qt program does for the same presses as the
// program. A maximized window with a row of eleven buttons, the focused one drawn in the same highlight
// colour, and a label: the space bar moves the focus to the next button, a digit moves it to that
// button and writes the digit in the label, "c" empties the label, and a mouse press on a button
// focuses it and writes its table in the label.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <vector>

namespace {

class FinestraMinima : public QWidget
{
public:
    FinestraMinima()
    {
        setWindowTitle(QStringLiteral("Latenza minima"));
        setStyleSheet(QStringLiteral("QPushButton { background: rgb(255, 224, 192); border: 1px solid black; }"
                                     "QPushButton:focus { background: rgb(255, 192, 128); }"));
        m_etichetta = new QLabel(this);
        m_etichetta->setGeometry(40, 40, 600, 60);
        for (int i = 0; i <= 10; ++i) {
            auto *pulsante = new QPushButton(QString::number(i), this);
            pulsante->setGeometry(40 + i * 130, 1200, 120, 80);
            pulsante->installEventFilter(this);
            m_pulsanti.push_back(pulsante);
        }
        m_pulsanti.front()->setFocus();
    }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        auto *pulsante = static_cast<QPushButton *>(oggetto);
        if (evento->type() == QEvent::MouseButtonPress) {
            pulsante->setFocus();
            m_etichetta->setText(QStringLiteral("Tabella del ") + pulsante->text());
            return true;
        }
        if (evento->type() == QEvent::KeyPress) {
            const int tasto = static_cast<QKeyEvent *>(evento)->key();
            if (tasto == Qt::Key_Space)
                focusNextChild();
            else if (tasto >= Qt::Key_0 && tasto <= Qt::Key_9) {
                m_pulsanti.at(size_t(tasto - Qt::Key_0))->setFocus();
                m_etichetta->setText(QString::number(tasto - Qt::Key_0));
            } else if (tasto == Qt::Key_C)
                m_etichetta->clear();
            return true;
        }
        // Releases do nothing, as in the program: a space bar release would otherwise click.
        return evento->type() == QEvent::KeyRelease || evento->type() == QEvent::MouseButtonRelease;
    }

private:
    QLabel *m_etichetta;
    std::vector<QPushButton *> m_pulsanti;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication applicazione(argc, argv);
    FinestraMinima finestra;
    finestra.showMaximized();
    return applicazione.exec();
}
