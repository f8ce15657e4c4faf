#include "Dispositivo.h"

#include "untProtocolo.h"

void SeparadorQuadros::Alimenta(std::span<const std::uint8_t> bytes, Dispositivo::Instante agora, const Tratador &trata)
{
    Expira(agora, trata);
    m_pendente.insert(m_pendente.end(), bytes.begin(), bytes.end());
    m_ultimo = agora;
    Separa(trata);
}

void SeparadorQuadros::Expira(Dispositivo::Instante agora, const Tratador &trata)
{
    if (m_pendente.empty() || agora - m_ultimo < TempoIncompleto)
        return;
    trata(Tipo::Incompleto, m_pendente);
    m_pendente.clear();
}

std::optional<Dispositivo::Instante> SeparadorQuadros::Prazo() const
{
    if (m_pendente.empty())
        return std::nullopt;
    return m_ultimo + TempoIncompleto;
}

void SeparadorQuadros::Separa(const Tratador &trata)
{
    const auto inicioDeAlgo = [this](std::size_t i) {
        return m_pendente[i] == InicioQuadro || m_pendente[i] == InicioPosicao1;
    };
    std::size_t pos = 0;
    while (pos < m_pendente.size()) {
        const std::size_t resta = m_pendente.size() - pos;
        const std::uint8_t primeiro = m_pendente[pos];
        if (primeiro == InicioQuadro) {
            if (resta <= std::size_t(PosTamanho))
                break;
            const std::size_t tamanho = std::size_t(m_pendente[pos + PosTamanho]) + TamanhoMoldura;
            if (resta < tamanho)
                break;
            trata(Tipo::Quadro, std::span(m_pendente).subspan(pos, tamanho));
            pos += tamanho;
            continue;
        }
        if (primeiro == InicioPosicao1 && (resta < 2 || m_pendente[pos + 1] == InicioPosicao2)) {
            if (resta < std::size_t(TamanhoPedidoPosicao))
                break;
            trata(Tipo::Posicao, std::span(m_pendente).subspan(pos, TamanhoPedidoPosicao));
            pos += TamanhoPedidoPosicao;
            continue;
        }
        std::size_t fim = pos + 1;
        while (fim < m_pendente.size() && !inicioDeAlgo(fim))
            ++fim;
        trata(Tipo::Lixo, std::span(m_pendente).subspan(pos, fim - pos));
        pos = fim;
    }
    m_pendente.erase(m_pendente.begin(), m_pendente.begin() + std::ptrdiff_t(pos));
}
