#include "ConfiguracaoInicio.h"

#include "RegistroIni.h"

ConfiguracaoInicio LeConfiguracaoInicio(RegistroIni &registro)
{
    ConfiguracaoInicio config;
    config.Porta = registro.ReadString(SecaoDados, QStringLiteral("Porta"), QStringLiteral("COM1"));
    config.TempoIntervalo = registro.ReadInteger(SecaoDados, QStringLiteral("TempoIntervalo"), 50);
    config.Avaliador = registro.ReadString(SecaoDados, QStringLiteral("Avaliador"), QString());
    config.SemPeso = LeDecimalReparando(registro, SecaoDados, QStringLiteral("SemPeso"), QStringLiteral("0"));
    config.IndiceCorrecao =
        LeDecimalReparando(registro, SecaoDados, QStringLiteral("IndiceCorrecao"), QStringLiteral("1"));
    config.ValorZerado =
        LeDecimalReparando(registro, SecaoDados, QStringLiteral("ValorZerado"), QStringLiteral("0"));
    config.Frequencia = registro.ReadInteger(SecaoDados, QStringLiteral("Frequencia"), 300);
    config.BackupCont = registro.ReadInteger(SecaoDados, QStringLiteral("BackupCont"), 0);
    registro.WriteInteger(SecaoDados, QStringLiteral("GraficoEstatico"), 1);
    return config;
}
