#include "LigaCadastros.h"

#include "Cadastro.h"
#include "TfPrincipal.h"
#include "Tfdados.h"
#include "Tfnovaavaliacao.h"

#include <QAction>
#include <QDate>

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

void LigaNovaAvaliacao(TfPrincipal &principal, Tfdados &dados, Mensagens &mensagens)
{
    principal.DefineIniciaAvaliacao([&principal, &dados, &mensagens] {
        Tfnovaavaliacao janela(dados, mensagens, &principal);
        janela.DefineAvaliacao(dados.ProximaChave(QStringLiteral("TBresultados")), QDate::currentDate());
        janela.exec();
        principal.AtivaSupervisao(true);
        principal.HabilitaAcoes(true);
    });
}
