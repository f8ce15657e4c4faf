#include "ConfiguracaoTeste.h"

#include "Numeros.h"
#include "RegistroAmostra.h"
#include "RegistroIni.h"

namespace {

struct Leitor {
    const RegistroIni &registro;
    QStringList &invalidos;

    QString texto(const char *nome, const QString &padrao) const
    {
        return registro.ReadString(SecaoDados, QLatin1String(nome), padrao);
    }
    int inteiro(const char *nome, int padrao) const
    {
        return int(registro.ReadInteger(SecaoDados, QLatin1String(nome), padrao));
    }
    bool booleano(const char *nome) const { return registro.ReadBool(SecaoDados, QLatin1String(nome), false); }
    double decimal(const char *nome, const char *padrao) const
    {
        const QString valor = texto(nome, QLatin1String(padrao));
        if (const auto lido = numeros::LeDecimal(valor))
            return *lido;
        invalidos << QLatin1String(nome);
        return numeros::LeDecimal(QLatin1String(padrao)).value_or(0.0);
    }
};

} // namespace

QString TextoEsquema(Esquema esquema)
{
    switch (esquema) {
    case Esquema::E1: return QStringLiteral("1");
    case Esquema::E2: return QStringLiteral("2");
    case Esquema::E4s: return QStringLiteral("4s");
    case Esquema::E4i: return QStringLiteral("4i");
    case Esquema::E5s: return QStringLiteral("5s");
    case Esquema::E5i: return QStringLiteral("5i");
    case Esquema::Nenhum: break;
    }
    return {};
}

ConfiguracaoTeste CarregaConfiguracao(const RegistroIni &registro, const NomesContracao &nomes)
{
    ConfiguracaoTeste c;
    const Leitor ler{registro, c.ValoresInvalidos};

    c.Demo = ler.texto("Demo", QStringLiteral("Demo0"));
    c.Demonstracao = c.Demo != QLatin1String("Demo0");
    c.NumeroRepeticao = ler.inteiro("NumeroRepeticao", 5);
    c.DuracaoTeste = ler.inteiro("DuracaoTeste", 180);
    c.DuracaoMinutos = c.DuracaoTeste / 60;
    c.DuracaoSegundos = c.DuracaoTeste % 60;
    c.STeste = ler.texto("STeste", QStringLiteral("TC"));
    c.Intermitente = c.STeste == QLatin1String("TI");
    c.IniciaLateral = ler.texto("IniciaLateral", QStringLiteral("Direita"));
    c.LateralContraria = ler.texto("LateralContraria", QStringLiteral("Esquerda"));
    c.IniciaContracao = ler.texto("IniciaContracao", nomes.Inicia);
    c.ContracaoContraria = ler.texto("ContracaoContraria", nomes.Contraria);
    if (nomes.SubstituiVazios) {
        if (c.IniciaContracao.isEmpty())
            c.IniciaContracao = QStringLiteral("Flexão");
        if (c.ContracaoContraria.isEmpty())
            c.ContracaoContraria = QStringLiteral("Extensão");
    }
    c.LSequencial = ler.inteiro("LSequencial", 1);
    c.LIntercalada = ler.inteiro("LIntercalada", 0);
    c.TempoTrocaDirEsq = ler.inteiro("TempoTrocaDirEsq", 10);
    c.TempoIntervalo = ler.inteiro("TempoIntervalo", 10);
    c.TempoRegressivo = ler.inteiro("TempoRegressivo", 5);
    c.Inicia = ler.decimal("Inicia", "1,000");
    c.MCiclo = ler.decimal("MCiclo", "0,500");
    c.SemPeso = ler.decimal("SemPeso", "0");
    c.IndiceCorrecao = ler.decimal("IndiceCorrecao", "1");
    c.ValorZerado = ler.decimal("ValorZerado", "0");
    c.Frequencia = ler.inteiro("Frequencia", 300);
    c.CalcTorque = ler.booleano("CalcTorque");
    c.Alavanca = ler.decimal("Alavanca", "0");
    c.Forca = ler.texto("Forca", QStringLiteral("kgf"));
    c.Escala = ler.decimal("Escala", "15");
    c.MarcaPico = ler.inteiro("MarcaPico", 0);
    c.Grafico = ler.inteiro("Grafico", 1);
    c.GraficoEstatico = ler.inteiro("GraficoEstatico", 0);
    c.SMax = ler.booleano("SMax");
    c.SMin = ler.booleano("SMin");
    c.MaxSinaliza = ler.decimal("MaxSinaliza", "0");
    c.MinSinaliza = ler.decimal("MinSinaliza", "0");
    c.ForcaSinaliza = ler.inteiro("ForcaSinaliza", 1);
    if (c.ForcaSinaliza != 1) {
        c.MaxSinaliza /= FatorNewton;
        c.MinSinaliza /= FatorNewton;
    }
    c.Articulacao = ler.texto("Articulacao", QString());
    c.Equipamento = ler.texto("Equipamento", QString());
    c.Transdutor = ler.texto("Transdutor", QString());
    c.AnguloForca = ler.texto("AnguloForca", QStringLiteral("0"));
    c.SobreL = ler.inteiro("SobreL", 3);
    const QString esquemaAnterior = ler.texto("Esquema", QString());
    if ((esquemaAnterior == QLatin1String("5s") && c.Intermitente)
        || QStringList{"1", "2", "4s", "4i", "5i"}.contains(esquemaAnterior))
        c.SobreL -= 1;

    // The scheme: the first whose names and order flag match, in this order.
    const bool il = !c.IniciaLateral.isEmpty();
    const bool lc = !c.LateralContraria.isEmpty();
    const bool ic = !c.IniciaContracao.isEmpty();
    const bool cc = !c.ContracaoContraria.isEmpty();
    const bool sequencial = c.LSequencial == 1;
    // Only the first look at "LSequencial" defaults to 1.
    const bool sequencialDepois = ler.inteiro("LSequencial", 0) == 1;
    const bool intercalada = c.LIntercalada == 1;
    if (il && lc && ic && cc && sequencial) {
        c.esquema = Esquema::E1;
        c.NumeroRepeticao = ler.inteiro("NumeroRepeticao", 3);
        c.TotalContracoes = 4 * c.NumeroRepeticao;
    } else if (il && !lc && ic && cc && sequencialDepois) {
        c.esquema = Esquema::E2;
        c.NumeroRepeticao = ler.inteiro("NumeroRepeticao", 0);
    } else if (il && lc && ic && !cc && intercalada) {
        c.esquema = Esquema::E4i;
        c.NumeroRepeticao = ler.inteiro("NumeroRepeticao", 0);
        c.TotalContracoes = 2 * c.NumeroRepeticao;
    } else if (il && lc && ic && !cc && sequencialDepois) {
        c.esquema = Esquema::E4s;
        c.NumeroRepeticao *= 2; // both sides count into one series
        c.TotalContracoes = c.NumeroRepeticao;
    } else if (il && !lc && ic && !cc && sequencialDepois) {
        c.esquema = Esquema::E5s;
        c.NumeroRepeticao = ler.inteiro("NumeroRepeticao", 0);
    } else if (il && lc && ic && cc && intercalada) {
        c.esquema = Esquema::E5i;
        c.TotalContracoes = 4 * c.NumeroRepeticao;
        c.PrimeiroLadoDireita = c.IniciaLateral == QLatin1String("Direita");
    }
    return c;
}
