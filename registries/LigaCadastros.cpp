#include "LigaCadastros.h"

#include "Cadastro.h"
#include "TfPrincipal.h"

#include <QAction>

void LigaCadastros(TfPrincipal &principal, Tfdados &dados, Mensagens &mensagens)
{
    principal.DefineJanela(principal.findChild<QAction *>(QStringLiteral("CadAvaliados")),
                           [&dados, &mensagens](QWidget *pai) {
                               return std::make_unique<TfCadAvaliados>(dados, mensagens, pai);
                           });
    principal.DefineJanela(principal.findChild<QAction *>(QStringLiteral("CadGrupos")),
                           [&dados, &mensagens](QWidget *pai) {
                               return std::make_unique<TfCadGrupos>(dados, mensagens, pai);
                           });
}
