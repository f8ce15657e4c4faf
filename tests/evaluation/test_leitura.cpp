// Live acquisition on a serial line: the test plays the interface on the
// master side of a pseudo-terminal.

#include "../devicelink/Auxiliares.h"
#include "Ensaio.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

QByteArray Quadro(std::uint8_t funcao, std::initializer_list<std::uint8_t> dados = {})
{
    TQuadro q{};
    const std::vector<std::uint8_t> carga(dados);
    const int tamanho = MontaQuadro(q, funcao, carga);
    return QByteArray(reinterpret_cast<const char *>(q.data()), tamanho);
}

QByteArray Amostra(std::uint32_t bruto)
{
    return Quadro(FuncaoLer, {std::uint8_t(bruto >> 16), std::uint8_t(bruto >> 8), std::uint8_t(bruto)});
}

TEST(Leitura, StreamedSamplesReachTheEngineAndOtherFramesAreSkipped)
{
    Pty pty;
    TPorta porta;
    ASSERT_TRUE(AbrePorta(porta, pty.Escravo(), 115200, 8, 'N', 2, false, false, 8192));
    Ensaio e(Configura({{"LateralContraria", ""}, {"ContracaoContraria", ""}, {"Frequencia", "50"}}, false));
    Aquisicao &aq = e.avaliacao.aquisicao;
    aq.DefinePorta(&porta);

    pty.Escreve(Quadro(FuncaoConfigurar));
    ASSERT_TRUE(aq.ConfiguraLeitura(50, false));
    TQuadro esperado{};
    MontaConfiguracao(esperado, 50, ModoAutomatico | ModoSemZerar);
    EXPECT_EQ(pty.Le(TamanhoConfiguracao),
              QByteArray(reinterpret_cast<const char *>(esperado.data()), TamanhoConfiguracao));

    // The start request is acknowledged once it has arrived.
    std::thread interface([&pty] {
        pty.Le(int(ComandoIniciar.size()));
        pty.Escreve(Quadro(FuncaoIniciar));
    });
    ASSERT_TRUE(aq.IniciaLeitura());
    interface.join();
    ASSERT_TRUE(aq.LendoInterface());

    QByteArray fluxo;
    for (std::uint32_t bruto : {11u, 12u, 13u})
        fluxo += Amostra(bruto);
    fluxo += Quadro(FuncaoParar);
    for (std::uint32_t bruto : {14u, 15u})
        fluxo += Amostra(bruto);
    pty.Escreve(fluxo);
    for (int i = 0; i < 6; ++i)
        aq.ColetaAmostras();
    ASSERT_EQ(e.motor().NumAmostras(), 1);
    EXPECT_DOUBLE_EQ(e.reg(0).KGF, 15);

    // Nothing arrives: the idle call returns after the time-out.
    aq.ColetaAmostras();
    EXPECT_EQ(e.motor().NumAmostras(), 1);

    aq.ParaLeitura();
    EXPECT_EQ(pty.Le(int(ComandoParar.size())), QByteArray(ComandoParar.data(), qsizetype(ComandoParar.size())));
    EXPECT_FALSE(aq.LendoInterface());
}

TEST(Leitura, AStartWithoutAcknowledgementFails)
{
    struct Painel final : PainelAvaliacao {
        int falhas = 0;
        RespostaJanela AbreJanela(const DadosJanela &) override { return RespostaJanela::Continuar; }
        void SalvaAvaliacao(const FimAvaliacao &) override {}
        void FalhaIniciarLeitura() override { ++falhas; }
    } painel;
    Pty pty;
    TPorta porta;
    ASSERT_TRUE(AbrePorta(porta, pty.Escravo(), 115200, 8, 'N', 2, false, false, 8192));
    Avaliacao avaliacao(painel);
    avaliacao.Inicia(Configura({}, false), 70);
    avaliacao.aquisicao.DefinePorta(&porta);
    EXPECT_FALSE(avaliacao.aquisicao.IniciaLeitura());
    EXPECT_EQ(painel.falhas, 1);
    EXPECT_FALSE(avaliacao.aquisicao.LendoInterface());
}

TEST(Leitura, NoPortMeansNoStart)
{
    Ensaio e(Configura({}, false));
    EXPECT_FALSE(e.avaliacao.aquisicao.IniciaLeitura());
    EXPECT_FALSE(e.avaliacao.aquisicao.ConfiguraLeitura(300, false));
    EXPECT_EQ(e.avaliacao.aquisicao.TamanhoLote(), 30);
}

} // namespace
