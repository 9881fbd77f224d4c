#include "voce/Voce.h"

#include <QtGlobal>

namespace {

class VoceMuta : public Voce
{
public:
    VoceMuta() { qInfo("Contalino: la voce tace: nessuna sintesi vocale su questo sistema"); }
    void di(const QString &) override { }
    void taci() override { }
};

} // namespace

std::unique_ptr<Voce> voceDiSistema()
{
    return std::make_unique<VoceMuta>();
}
