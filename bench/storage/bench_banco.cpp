// Saving the largest evaluation (144000 samples) and opening grids over it.
// Run by hand: build/bin/bench_banco [samples]

#include "EsquemaBanco.h"
#include "ModeloTabela.h"
#include "Tfdados.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>

namespace {

QTextStream saida(stdout);

// Wall time and this process's CPU time since the step began: on a busy
// machine the CPU time is the steadier figure.
struct Relogio {
    QElapsedTimer parede;
    std::clock_t cpu = 0;
    void start()
    {
        parede.start();
        cpu = std::clock();
    }
};

void mostra(const char *oque, const Relogio &relogio)
{
    saida << QString::asprintf("%-58s %9.1f ms wall %9.1f ms cpu\n", oque, relogio.parede.nsecsElapsed() / 1e6,
                               double(std::clock() - relogio.cpu) * 1000.0 / CLOCKS_PER_SEC);
    saida.flush();
}

// One evaluation as the engine writes it: every field of every sample, a
// repetition at the end of each contraction.
bool grava(Tfdados &dados, qint64 numero, int amostras)
{
    GravacaoAvaliacao gravacao(dados);
    Registro cabecalho = GravacaoAvaliacao::NovoCabecalho();
    cabecalho.Define("Avaliacao", numero);
    cabecalho.Define("Tipo_do_Teste", "Teste Contínuo");
    cabecalho.Define("Avaliado", "FULANO DE TAL");
    gravacao.Cabecalho(cabecalho);

    Registro amostra = GravacaoAvaliacao::NovaAmostra();
    const esquema::Tabela &tabela = *amostra.Tabela();
    // Fields resolved once, as a loop over many rows should.
    auto campo = [&](const char *nome) { return tabela.Indice(QLatin1String(nome)); };
    const int avaliacao = campo("Avaliacao"), geral = campo("Am_Geral"), amCiclo = campo("Am_Ciclo"),
              amContracao = campo("Am_Contracao"), ciclo = campo("Ciclo"), numero_ = campo("Contracao_Numero"),
              texto = campo("Contracao_Texto"), lateral = campo("Lateral"), intervalo = campo("Intervalo"),
              valida = campo("Contracao_Valida"), angulo = campo("Angulo"), articulacao = campo("Articulacao"),
              equipamento = campo("Equipamento"), transdutor = campo("Transdutor"), total = campo("Tempo_Total"),
              frequencia = campo("Tempo_Amostra"), tempoContracao = campo("Tempo_Contracao"),
              pulso = campo("Pulso"), esquemaCampo = campo("Esquema"), kgf = campo("KGF"),
              fimValores = campo("NM/KG_MED");
    const QVariant flexao(QStringLiteral("FLEXAO")), direita(QStringLiteral("Direita")),
        joelho(QStringLiteral("JOELHO")), celula(QStringLiteral("CELULA 1")), acessorio(QStringLiteral("ACESSORIO 1")),
        positivo(QStringLiteral("P")), um(QStringLiteral("1"));
    for (int i = 0; i < amostras; ++i) {
        const bool fechaContracao = i % 600 == 599;
        amostra.Limpa();
        amostra.Define(avaliacao, double(numero));
        amostra.Define(geral, i + 1);
        amostra.Define(amCiclo, i % 1200 + 1);
        amostra.Define(amContracao, i % 600 + 1);
        amostra.Define(ciclo, i / 1200 + 1);
        amostra.Define(numero_, i / 600 + 1);
        amostra.Define(texto, flexao);
        amostra.Define(lateral, direita);
        amostra.Define(intervalo, 0);
        amostra.Define(valida, i / 600 + 1);
        amostra.Define(angulo, 0.0);
        amostra.Define(articulacao, joelho);
        amostra.Define(equipamento, celula);
        amostra.Define(transdutor, acessorio);
        amostra.Define(total, i / 600.0);
        amostra.Define(frequencia, 600);
        amostra.Define(tempoContracao, (i % 600) / 600.0);
        amostra.Define(pulso, positivo);
        amostra.Define(esquemaCampo, um);
        for (int c = kgf; c <= fimValores; c += 3) {
            amostra.Define(c, 10.0 + i % 37);
            if (fechaContracao) {
                amostra.Define(c + 1, 46.0);
                amostra.Define(c + 2, 28.0);
            }
        }
        if (!gravacao.Amostra(amostra))
            return false;
        if (fechaContracao) {
            Registro repeticao = GravacaoAvaliacao::NovaRepeticao();
            repeticao.Define("Avaliacao", numero);
            repeticao.Define("Am_Geral", i + 1);
            repeticao.Define("KGF_MAX", 46.0);
            gravacao.Repeticao(repeticao);
        }
    }
    return gravacao.Confirma();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int amostras = argc > 1 ? QString(argv[1]).toInt() : 144000;
    QTemporaryDir pasta;
    QString erro;
    if (!esquema::CriaBanco(pasta.filePath(Tfdados::NomeArquivo), &erro)) {
        saida << erro << '\n';
        return 1;
    }
    Tfdados dados(pasta.path());
    Relogio relogio;

    relogio.start();
    if (!grava(dados, 1, amostras)) {
        saida << "falhou: " << dados.Erro() << '\n';
        return 1;
    }
    mostra(qPrintable(QStringLiteral("save %1 samples (one transaction), incl. refresh").arg(amostras)), relogio);

    relogio.start();
    grava(dados, 2, amostras);
    mostra("save a second evaluation of the same size", relogio);

    dados.TBresultados().First();
    relogio.start();
    dados.TBresultados().Last();
    mostra("move TBresultados to the other one: details follow", relogio);
    dados.TBresultados().First();

    relogio.start();
    ModeloTabela modelo(dados, "TBdados");
    modelo.SegueMestre(dados.TBresultados());
    mostra("open a grid model over the evaluation", relogio);

    relogio.start();
    double soma = 0;
    for (int linha = 0; linha < 40; ++linha)
        for (int coluna = 0; coluna < modelo.columnCount(); ++coluna)
            soma += modelo.data(modelo.index(linha, coluna)).toDouble();
    mostra("first screen of the grid (40 rows, every column)", relogio);

    relogio.start();
    for (int linha = modelo.rowCount() - 40; linha < modelo.rowCount(); ++linha)
        soma += modelo.data(modelo.index(linha, 1)).toDouble();
    mostra("jump to the last screen", relogio);

    relogio.start();
    TabelaDados &tabela = dados.TBdados();
    int lidas = 0;
    for (tabela.First(); !tabela.Eof(); tabela.Next())
        soma += tabela.Campo("KGF").toDouble(), ++lidas;
    mostra(qPrintable(QStringLiteral("walk the cursor over all %1 rows").arg(lidas)), relogio);

    relogio.start();
    dados.ExcluiAvaliacao(1);
    mostra("delete one evaluation with its rows", relogio);

    relogio.start();
    dados.CompactaTabelas();
    mostra("compact (REINDEX + VACUUM)", relogio);

    saida << QString::asprintf("database file: %.1f MB (checksum %.0f)\n", dados.TamanhoArquivo() / 1e6, soma);
    return 0;
}
