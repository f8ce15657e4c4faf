// vyrax-cli replay: runs the evaluation engine over a force recording, as
// the demonstration does, and writes the sample table as it stands when the
// evaluation would be saved.

#include "Comandos.h"

#include "Aquisicao.h"
#include "ConfiguracaoTeste.h"
#include "Gravacao.h"
#include "Numeros.h"
#include "RegistroIni.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char *Cabecalho =
    "Am_Geral;Am_Ciclo;Am_Contracao;Ciclo;Contracao_Numero;Contracao_Texto;Lateral;Intervalo;Contracao_Valida;"
    "Tempo_Total;Tempo_Amostra;Tempo_Contracao;Pulso;KGF;KGF_MAX;KGF_MED;N;N_MAX;N_MED;KGF/KG;KGF/KG_MAX;"
    "KGF/KG_MED;N/KG;N/KG_MAX;N/KG_MED;KGFM;KGFM_MAX;KGFM_MED;NM;NM_MAX;NM_MED;KGFM/KG;KGFM/KG_MAX;KGFM/KG_MED;"
    "NM/KG;NM/KG_MAX;NM/KG_MED;Amostra_Forca_Maxima;Tempo_Forca_Maxima;Duracao_Contracao\n";

int Falha(const QString &mensagem)
{
    QTextStream(stderr) << "vyrax-cli replay: " << mensagem << '\n';
    return 2;
}

// The table as text. Numbers in the form numeros::PontoCurto gives (shortest
// round trip, decimal point, 0 for either zero), written straight into the
// buffer: a full table has millions of them.
class Tabela {
public:
    void Numero(double valor)
    {
        if (valor == 0) {
            m_texto += '0';
        } else {
            char buffer[64];
            const auto fim = std::to_chars(buffer, buffer + sizeof buffer, valor).ptr;
            m_texto.append(buffer, fim);
        }
        m_texto += ';';
    }
    void Inteiro(int valor)
    {
        char buffer[16];
        const auto fim = std::to_chars(buffer, buffer + sizeof buffer, valor).ptr;
        m_texto.append(buffer, fim);
        m_texto += ';';
    }
    // The texts are the few names of the evaluation, shared by every record:
    // each is converted once.
    void Texto(const QString &valor)
    {
        const auto igual = [&valor](const auto &par) {
            return par.first.constData() == valor.constData() && par.first.size() == valor.size();
        };
        auto it = std::find_if(m_textos.begin(), m_textos.end(), igual);
        if (it == m_textos.end())
            it = m_textos.insert(m_textos.end(), {valor, valor.toStdString()});
        m_texto += it->second;
        m_texto += ';';
    }
    void Caractere(char c)
    {
        if (c)
            m_texto += c;
        m_texto += ';';
    }
    void FimLinha() { m_texto.back() = '\n'; }
    void Acrescenta(const char *texto) { m_texto += texto; }
    void Reserva(std::size_t bytes) { m_texto.reserve(bytes); }
    const std::string &texto() const { return m_texto; }

private:
    std::string m_texto;
    std::vector<std::pair<QString, std::string>> m_textos;
};

void EscreveRegistro(Tabela &t, const RegistroAmostra &r)
{
    t.Inteiro(r.Am_Geral);
    t.Inteiro(r.Am_Ciclo);
    t.Inteiro(r.Am_Contracao);
    t.Inteiro(r.Ciclo);
    t.Inteiro(r.Contracao_Numero);
    t.Texto(r.Contracao_Texto);
    t.Texto(r.Lateral);
    t.Inteiro(r.Intervalo);
    t.Inteiro(r.Contracao_Valida);
    t.Numero(r.Tempo_Total);
    t.Numero(r.Tempo_Amostra);
    t.Numero(r.Tempo_Contracao);
    t.Caractere(r.Pulso);
    for (double v : {r.KGF, r.KGF_MAX, r.KGF_MED, r.N, r.N_MAX, r.N_MED, r.KGF_KG, r.KGF_KG_MAX, r.KGF_KG_MED, r.N_KG,
                     r.N_KG_MAX, r.N_KG_MED, r.KGFM, r.KGFM_MAX, r.KGFM_MED, r.NM, r.NM_MAX, r.NM_MED, r.KGFM_KG,
                     r.KGFM_KG_MAX, r.KGFM_KG_MED, r.NM_KG, r.NM_KG_MAX, r.NM_KG_MED})
        t.Numero(v);
    t.Inteiro(r.Amostra_Forca_Maxima);
    t.Numero(r.Tempo_Forca_Maxima);
    t.Numero(r.Duracao_Contracao);
    t.FimLinha();
}

QString TextoFim(const FimAvaliacao &fim)
{
    switch (fim.motivo) {
    case MotivoFim::Esquema: return fim.Etiqueta;
    case MotivoFim::Duracao: return QStringLiteral("duracao");
    case MotivoFim::Limite: return QStringLiteral("limite");
    case MotivoFim::Ciclos: return QStringLiteral("ciclos");
    case MotivoFim::Valores: return QStringLiteral("valores");
    case MotivoFim::Teclas: return QStringLiteral("teclas");
    case MotivoFim::Cancelada: return QStringLiteral("cancelada");
    case MotivoFim::FalhaReinicio: return QStringLiteral("falha");
    }
    return {};
}

// Answers every window "C&ontinuar" at once and takes the table when the
// evaluation would be saved.
class PainelReplay final : public PainelAvaliacao {
public:
    explicit PainelReplay(QTextStream &erro) : m_erro(erro) {}

    RespostaJanela AbreJanela(const DadosJanela &dados) override
    {
        m_erro << (dados.tipo == DadosJanela::Tipo::Intervalo ? "JANELA intervalo\n" : "JANELA troca\n");
        return RespostaJanela::Continuar;
    }

    void SalvaAvaliacao(const FimAvaliacao &fim) override
    {
        m_fim = fim;
        const int total = avaliacao->motor.NumAmostras();
        tabela.Reserva(std::size_t(total + 1) * 400);
        tabela.Acrescenta(Cabecalho);
        const auto &amostras = avaliacao->motor.Amostras();
        for (int i = 0; i < total; ++i)
            EscreveRegistro(tabela, amostras[std::size_t(i)]);
    }

    const std::optional<FimAvaliacao> &Fim() const { return m_fim; }

    Avaliacao *avaliacao = nullptr;
    Tabela tabela;

private:
    QTextStream &m_erro;
    std::optional<FimAvaliacao> m_fim;
};

struct Argumentos {
    QString config;
    QString valores;
    QString peso = QStringLiteral("70");
    QString saida;
};

std::optional<Argumentos> LeArgumentos(const QStringList &lista, QString &erro)
{
    Argumentos a;
    for (qsizetype i = 0; i < lista.size(); ++i) {
        const QString &opcao = lista.at(i);
        QString *destino = opcao == QLatin1String("--config")   ? &a.config
                           : opcao == QLatin1String("--valores") ? &a.valores
                           : opcao == QLatin1String("--peso")    ? &a.peso
                           : opcao == QLatin1String("--saida")   ? &a.saida
                                                                 : nullptr;
        if (!destino) {
            erro = QStringLiteral("opção desconhecida: %1").arg(opcao);
            return std::nullopt;
        }
        if (i + 1 == lista.size()) {
            erro = QStringLiteral("falta o valor de %1").arg(opcao);
            return std::nullopt;
        }
        *destino = lista.at(++i);
    }
    if (a.config.isEmpty() || a.valores.isEmpty()) {
        erro = QStringLiteral("uso: vyrax-cli replay --config ARQ --valores ARQ [--peso KG] [--saida ARQ]");
        return std::nullopt;
    }
    return a;
}

} // namespace

int ComandoReplay(const QStringList &argumentos)
{
    QString erro;
    const auto args = LeArgumentos(argumentos, erro);
    if (!args)
        return Falha(erro);

    const QFileInfo infoConfig(args->config);
    if (!infoConfig.isFile() || !infoConfig.isReadable())
        return Falha(QStringLiteral("não foi possível ler o arquivo de configuração %1").arg(args->config));
    QFile arquivoValores(args->valores);
    if (!QFileInfo(args->valores).isFile() || !arquivoValores.open(QIODevice::ReadOnly))
        return Falha(QStringLiteral("não foi possível ler o arquivo de valores %1").arg(args->valores));

    const auto peso = numeros::LeDecimalOuPonto(args->peso);
    if (!peso || !(*peso > 0))
        return Falha(QStringLiteral("peso inválido: %1 (informe um valor maior que 0 kg)").arg(args->peso));

    const Gravacao gravacao = LeGravacao(arquivoValores.readAll());
    if (gravacao.linhaInvalida > 0)
        return Falha(QStringLiteral("a linha %1 do arquivo de valores não é um número").arg(gravacao.linhaInvalida));

    const RegistroIni registro = RegistroIni::DoArquivo(args->config);
    const ConfiguracaoTeste configuracao = CarregaConfiguracao(registro, NomesContracao{});
    if (!configuracao.ValoresInvalidos.isEmpty())
        return Falha(QStringLiteral("valor não numérico na configuração: %1")
                         .arg(configuracao.ValoresInvalidos.join(QStringLiteral(", "))));
    if (configuracao.esquema == Esquema::Nenhum)
        return Falha(QStringLiteral("Falha nas definições dos Parametros. Nenhum esquema corresponde aos lados, "
                                    "contrações e ordem da configuração."));
    if (configuracao.Frequencia <= 0)
        return Falha(QStringLiteral("frequência de amostragem inválida: %1").arg(configuracao.Frequencia));

    // The replay always takes the demonstration path.
    ConfiguracaoTeste demonstracao = configuracao;
    demonstracao.Demonstracao = true;

    QTextStream erroSaida(stderr);
    PainelReplay painel(erroSaida);
    Avaliacao avaliacao(painel);
    painel.avaliacao = &avaliacao;
    avaliacao.Inicia(demonstracao, *peso);
    avaliacao.aquisicao.DefineGravacao(gravacao.valores);
    avaliacao.aquisicao.IniciaLeitura();
    while (!avaliacao.motor.Encerrada() && avaliacao.aquisicao.LendoInterface())
        avaliacao.aquisicao.ColetaAmostras();
    if (!painel.Fim())
        return Falha(QStringLiteral("a aquisição parou sem encerrar a avaliação"));
    erroSaida << "FIM: " << TextoFim(*painel.Fim()) << '\n';
    erroSaida.flush();

    const std::string &texto = painel.tabela.texto();
    if (args->saida.isEmpty()) {
        std::fwrite(texto.data(), 1, texto.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    QSaveFile saida(args->saida);
    if (!saida.open(QIODevice::WriteOnly) || saida.write(texto.data(), qint64(texto.size())) != qint64(texto.size())
        || !saida.commit()) {
        QTextStream(stderr) << "vyrax-cli replay: não foi possível gravar " << args->saida << ": "
                            << saida.errorString() << '\n';
        return 1;
    }
    return 0;
}
