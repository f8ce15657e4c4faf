#include "ConfiguracaoInicio.h"

#include "RegistroIni.h"

ConfiguracaoInicio LeConfiguracaoInicio(RegistroIni &registro)
{
    const QString dados = QStringLiteral("Dados");
    ConfiguracaoInicio config;
    config.Porta = registro.ReadString(dados, QStringLiteral("Porta"), QStringLiteral("COM1"));
    config.TempoIntervalo = registro.ReadInteger(dados, QStringLiteral("TempoIntervalo"), 50);
    config.Avaliador = registro.ReadString(dados, QStringLiteral("Avaliador"), QString());
    config.SemPeso = LeDecimalReparando(registro, dados, QStringLiteral("SemPeso"), QStringLiteral("0"));
    config.IndiceCorrecao =
        LeDecimalReparando(registro, dados, QStringLiteral("IndiceCorrecao"), QStringLiteral("1"));
    config.ValorZerado =
        LeDecimalReparando(registro, dados, QStringLiteral("ValorZerado"), QStringLiteral("0"));
    config.Frequencia = registro.ReadInteger(dados, QStringLiteral("Frequencia"), 300);
    config.BackupCont = registro.ReadInteger(dados, QStringLiteral("BackupCont"), 0);
    registro.WriteInteger(dados, QStringLiteral("GraficoEstatico"), 1);
    return config;
}
