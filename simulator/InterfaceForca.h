#pragma once
// The simulated acquisition interface of the load cell.
//
// Answers identify (payload 100, reply address byte chosen with "endereco"),
// configure, start, read, re-read and stop. In automatic reading it streams a
// sample frame per period after "start", on absolute deadlines counted from
// the start (no drift however long it runs). Lowering DTR while streaming
// ends the stream and sends a function-06 frame. Raw readings come from the
// force profile through the no-load reading and the counts-per-kgf index.
//
// Control commands (the program's options use the same words):
//   perfil esforcos|sequencia     arquivo <caminho>
//   pico <kgf>  duracao <s>  descanso <s>  sentido alternado|agonista|antagonista
//   sem-peso <contagens>  indice <contagens por kgf>  sem-transdutor 1|0
//   lixo <n>      garbage before every n-th frame sent (0: off)
//   checksum <n>  every n-th frame sent has a damaged checksum
//   perda <n>     every n-th frame is not sent
//   erro <2..7>   requests are answered with that device error (0: off)
//   silencio <s>  nothing is answered or sent for s seconds (0: back now)
//   desliga / liga   silent until "liga", as if unplugged
//   endereco <hex>   address byte of the replies

#include "Dispositivo.h"
#include "PerfilForca.h"

#include <random>

class InterfaceForca : public Dispositivo {
public:
    static constexpr std::uint8_t RespostaIdentificacao = 100;
    static constexpr std::uint32_t LeituraSemTransdutor = 0xFFFFFF;
    static constexpr std::uint8_t ModoAutomaticoPadrao = 0x03;

    InterfaceForca();

    void Recebe(std::span<const std::uint8_t> bytes, Instante agora) override;
    void MudaDTR(bool alto, Instante agora) override;
    void Avanca(Instante agora) override;
    std::optional<Instante> ProximoPrazo() const override;
    QString Comando(const QString &linha, Instante agora) override;

    bool Transmitindo() const { return m_transmitindo; }
    int Frequencia() const { return m_frequencia; }
    std::uint8_t Modo() const { return m_modo; }

private:
    struct Falhas {
        unsigned lixoCada = 0;
        unsigned checksumCada = 0;
        unsigned perdaCada = 0;
        std::uint8_t erro = 0;
        bool desligada = false;
        std::optional<Instante> silencioAte;
    };

    void TrataQuadro(std::span<const std::uint8_t> quadro, Instante agora);
    void Responde(std::uint8_t funcao, std::span<const std::uint8_t> dados);
    void RespondeErro(std::uint8_t funcaoPedida, std::uint8_t codigo, std::optional<std::uint8_t> parametro = {});
    void EmiteQuadro(std::span<std::uint8_t> quadro);
    bool Silenciosa(Instante agora) const;
    void ParaFluxo();
    std::array<std::uint8_t, 3> Amostra(std::uint64_t n);
    std::uint32_t Leitura(std::uint64_t n) const;
    Instante Vencimento(std::uint64_t n) const;

    PerfilForca m_perfil;
    double m_semPeso = 500000;
    double m_indice = 5000; // counts per kgf
    bool m_semTransdutor = false;
    std::uint8_t m_endereco = 0xC0;
    Falhas m_falhas;

    int m_frequencia = 300;
    std::uint8_t m_modo = ModoAutomaticoPadrao;
    bool m_dtr = true;
    bool m_transmitindo = false;
    bool m_iniciada = false;
    Instante m_inicio{};
    std::uint64_t m_proxima = 0; // next sample of the stream
    std::array<std::uint8_t, 3> m_ultimaAmostra{};
    std::uint64_t m_quadrosEnviados = 0;
    std::minstd_rand m_sorteio{20240601};
    SeparadorQuadros m_separador;
};
