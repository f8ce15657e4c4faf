#pragma once
// Acquisition: converts the interface's raw readings to kgf, collects them
// in batches of a tenth of a second and hands every sample of a completed
// batch to the engine; in the demonstration it replays a stored recording
// the same way. After every pass of the idle handler it checks whether the
// test has to end.

#include "MotorAvaliacao.h"
#include "untProtocolo.h"

#include <cstdint>
#include <span>
#include <vector>

class Aquisicao final : public ControleLeitura {
public:
    Aquisicao(PainelAvaliacao &painel, MotorAvaliacao &motor);

    // Evaluation start: calibration and mode from the settings, a fresh batch
    // buffer, and the batch size of the sampling frequency.
    void Prepara(const ConfiguracaoTeste &configuracao);

    // Batch size per frequency (frequency / 10); a frequency the interface
    // does not know keeps the current size. The first hand-over after a
    // start then gives the engine a single sample.
    void ConfiguraLote(int frequencia);

    // The interface port, owned by the main window (empty while closed).
    void DefinePorta(const TPorta *porta) { m_porta = porta; }

    // Raises DTR, sends the configure request (frequency, automatic reading;
    // the interface zeroes itself unless `zerando`) and awaits its reply;
    // sets the batch size. True when both went through.
    bool ConfiguraLeitura(int frequencia, bool zerando);

    // The demonstration recording, one value per line (NaN for a line with
    // nothing but blanks); replay starts at its first line.
    void DefineGravacao(std::span<const double> valores);

    bool IniciaLeitura() override;
    void ParaLeitura() override;
    void ZeraEntradaLote() override;

    // The idle handler: one frame or one recorded value per call, then the
    // end checks.
    void ColetaAmostras();

    // A raw reading of the interface: converted, stored, handed over with
    // its batch.
    void RecebeLeitura(std::uint32_t bruto);

    // kgf from a raw reading, in double precision, in this order.
    static double Converte(std::uint32_t bruto, double semPeso, double indiceCorrecao, double valorZerado)
    {
        return ((double(bruto) - semPeso) / indiceCorrecao) - valorZerado;
    }

    bool LendoInterface() const { return m_lendoInterface; }
    bool DemoAtivo() const { return m_demoAtivo; }
    int TamanhoLote() const { return m_tamanhoLote; }
    std::size_t ContLinhaDemo() const { return m_contLinhaDemo; }

private:
    // Lote runs from index -59; the demonstration indexes it by line.
    static constexpr int PrimeiroIndice = -59;
    static constexpr int UltimoIndice = LimiteAmostras + 1;
    double &Lote(int indice) { return m_lote[std::size_t(indice - PrimeiroIndice)]; }
    void PassoDemo();
    bool PortaAberta() const { return m_porta && *m_porta && (*m_porta)->InstanceActive(); }
    void LeQuadro();
    void EntregaLote(int inicio, int fim);
    void VerificaFim();

    PainelAvaliacao &m_painel;
    MotorAvaliacao &m_motor;
    std::vector<double> m_lote;
    std::uint8_t m_tamanhoLote = 60;
    int m_indiceLote = 0;
    int m_posLote = 1;
    int m_contLote = 0;
    bool m_processandoLote = false;
    bool m_lendoInterface = false;
    bool m_demoAtivo = false;
    bool m_demonstracao = false;
    double m_amostraAtual = 0;
    double m_semPeso = 0;
    double m_indiceCorrecao = 1;
    double m_valorZerado = 0;
    const TPorta *m_porta = nullptr;
    TQuadro m_quadro{};
    std::span<const double> m_gravacao;
    std::size_t m_contLinhaDemo = 0;
};

// The engine and its acquisition, wired to one host.
class Avaliacao {
public:
    explicit Avaliacao(PainelAvaliacao &painel) : aquisicao(painel, motor), motor(painel, aquisicao) {}

    // ZeraAmostras and the reset of every counter for a new evaluation.
    void Inicia(const ConfiguracaoTeste &configuracao, double pesoKg)
    {
        motor.Inicia(configuracao, pesoKg);
        aquisicao.Prepara(configuracao);
    }

    Aquisicao aquisicao;
    MotorAvaliacao motor;
};
