#include "InterfaceForca.h"

#include "Numeros.h"
#include "untProtocolo.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint32_t MaiorLeituraValida = 15999999;

std::uint8_t FuncaoDeErro(std::uint8_t funcaoPedida)
{
    return std::max<std::uint8_t>(PrimeiraFuncaoErro, std::uint8_t(0xF0 | (funcaoPedida & 0x0F)));
}

bool QuadroIntegro(std::span<const std::uint8_t> quadro)
{
    std::uint8_t soma = 0;
    for (std::size_t i = 1; i + 1 < quadro.size(); ++i)
        soma = std::uint8_t(soma + quadro[i]);
    return soma == 0 && quadro.back() == FimQuadro;
}

} // namespace

InterfaceForca::InterfaceForca() = default;

void InterfaceForca::Recebe(std::span<const std::uint8_t> bytes, Instante agora)
{
    m_separador.Alimenta(bytes, agora, [&](SeparadorQuadros::Tipo tipo, std::span<const std::uint8_t> parte) {
        const QString silencio = Silenciosa(agora) ? QStringLiteral(" (sem resposta)") : QString();
        switch (tipo) {
        case SeparadorQuadros::Tipo::Quadro:
            Registra(QStringLiteral("RX %1%2").arg(HexBytes(parte), silencio));
            if (silencio.isEmpty())
                TrataQuadro(parte, agora);
            break;
        case SeparadorQuadros::Tipo::Posicao:
            // The position encoder's requests share the line; this box ignores them.
            Registra(QStringLiteral("RX TP %1").arg(HexBytes(parte)));
            break;
        case SeparadorQuadros::Tipo::Lixo:
            Registra(QStringLiteral("RX lixo %1").arg(HexBytes(parte)));
            break;
        case SeparadorQuadros::Tipo::Incompleto:
            Registra(QStringLiteral("RX incompleto %1").arg(HexBytes(parte)));
            break;
        }
    });
}

void InterfaceForca::MudaDTR(bool alto, Instante agora)
{
    Registra(QStringLiteral("RX DTR %1").arg(alto ? 1 : 0));
    const bool caiu = m_dtr && !alto;
    m_dtr = alto;
    if (!caiu || !m_transmitindo)
        return;
    ParaFluxo();
    if (!Silenciosa(agora))
        Responde(FuncaoParar, {});
}

void InterfaceForca::Avanca(Instante agora)
{
    m_separador.Expira(agora, [this](SeparadorQuadros::Tipo, std::span<const std::uint8_t> parte) {
        Registra(QStringLiteral("RX incompleto %1").arg(HexBytes(parte)));
    });
    if (m_falhas.silencioAte && agora >= *m_falhas.silencioAte)
        m_falhas.silencioAte.reset();
    if (!m_transmitindo)
        return;
    const bool silenciosa = Silenciosa(agora);
    while (Vencimento(m_proxima) <= agora) {
        const auto amostra = Amostra(m_proxima++);
        if (silenciosa)
            continue; // the clock runs on while the cable is out
        std::array<std::uint8_t, 10> quadro{};
        MontaQuadroEm(quadro, FuncaoLer, amostra);
        EmiteQuadro(quadro);
    }
}

std::optional<Dispositivo::Instante> InterfaceForca::ProximoPrazo() const
{
    std::optional<Instante> prazo = m_separador.Prazo();
    const auto menor = [&prazo](Instante outro) {
        if (!prazo || outro < *prazo)
            prazo = outro;
    };
    if (m_transmitindo)
        menor(Vencimento(m_proxima));
    if (m_falhas.silencioAte)
        menor(*m_falhas.silencioAte);
    return prazo;
}

Dispositivo::Instante InterfaceForca::Vencimento(std::uint64_t n) const
{
    // Sample n is due (n + 1) periods after the start, computed from the
    // start each time so rounding never accumulates.
    const auto ns = std::chrono::nanoseconds((n + 1) * 1'000'000'000ULL / std::uint64_t(m_frequencia));
    return m_inicio + ns;
}

bool InterfaceForca::Silenciosa(Instante agora) const
{
    return m_falhas.desligada || (m_falhas.silencioAte && agora < *m_falhas.silencioAte);
}

void InterfaceForca::ParaFluxo()
{
    m_transmitindo = false;
    m_iniciada = false;
}

std::uint32_t InterfaceForca::Leitura(std::uint64_t n) const
{
    if (m_semTransdutor)
        return LeituraSemTransdutor;
    if (m_perfil.tipo == PerfilForca::Tipo::Sequencia)
        return std::uint32_t(n % (MaiorLeituraValida + 1));
    const double bruto = std::round(m_semPeso + m_perfil.Kgf(n, m_frequencia) * m_indice);
    return std::uint32_t(std::clamp(bruto, 0.0, double(MaiorLeituraValida)));
}

std::array<std::uint8_t, 3> InterfaceForca::Amostra(std::uint64_t n)
{
    const std::uint32_t bruto = Leitura(n);
    m_ultimaAmostra = {std::uint8_t(bruto >> 16), std::uint8_t(bruto >> 8), std::uint8_t(bruto)};
    return m_ultimaAmostra;
}

void InterfaceForca::TrataQuadro(std::span<const std::uint8_t> quadro, Instante agora)
{
    const std::uint8_t funcao = quadro[PosFuncao];
    const auto dados = quadro.subspan(PosDados, quadro[PosTamanho]);
    if (!QuadroIntegro(quadro)) {
        RespondeErro(funcao, ErroDadosInvalidos);
        return;
    }
    if (quadro[1] != Endereco1 || quadro[2] != Endereco2) {
        RespondeErro(funcao, ErroEnderecoInvalido);
        return;
    }
    if (m_falhas.erro != 0) {
        RespondeErro(funcao, m_falhas.erro);
        return;
    }
    switch (funcao) {
    case FuncaoIdentificar:
        Responde(FuncaoIdentificar, std::array<std::uint8_t, 1>{RespostaIdentificacao});
        return;
    case FuncaoConfigurar: {
        if (dados.size() != 6 || dados[0] != 0x01) {
            RespondeErro(funcao, ErroConfiguracao, 0);
            return;
        }
        const int frequencia = (dados[3] << 8) | dados[4];
        if (std::find(FrequenciasAmostragem.begin(), FrequenciasAmostragem.end(), frequencia) == FrequenciasAmostragem.end()) {
            RespondeErro(funcao, ErroConfiguracao, 3); // parameter: payload offset of the bad value
            return;
        }
        ParaFluxo();
        m_frequencia = frequencia;
        m_modo = dados[5];
        // Zeroing is done in the analogue stage of the box; the reading of
        // an unloaded transducer keeps its offset, which the calibration needs.
        Responde(FuncaoConfigurar, {});
        return;
    }
    case FuncaoIniciar:
        Responde(FuncaoIniciar, {});
        m_iniciada = true;
        m_inicio = agora;
        m_proxima = 0;
        m_transmitindo = (m_modo & ModoAutomatico) != 0;
        return;
    case FuncaoLer: {
        // Manual reading follows the clock since the start.
        const auto decorrido = std::chrono::duration<double>(agora - m_inicio).count();
        const auto n = m_iniciada ? std::uint64_t(std::max(decorrido, 0.0) * m_frequencia) : 0;
        Responde(FuncaoLer, Amostra(n));
        return;
    }
    case FuncaoReler:
        Responde(FuncaoReler, m_ultimaAmostra);
        return;
    case FuncaoParar:
        ParaFluxo();
        Responde(FuncaoParar, {});
        return;
    default:
        RespondeErro(funcao, ErroFuncaoInvalida);
    }
}

void InterfaceForca::Responde(std::uint8_t funcao, std::span<const std::uint8_t> dados)
{
    std::array<std::uint8_t, 64> quadro{};
    const int tamanho = MontaQuadroEm(quadro, funcao, dados);
    quadro[1] = m_endereco;
    quadro[PosDados + dados.size()] = ChecksumDe(quadro);
    Registra(QStringLiteral("TX %1").arg(HexBytes(std::span(quadro).first(std::size_t(tamanho)))));
    EmiteQuadro(std::span(quadro).first(std::size_t(tamanho)));
}

void InterfaceForca::RespondeErro(std::uint8_t funcaoPedida, std::uint8_t codigo, std::optional<std::uint8_t> parametro)
{
    std::vector<std::uint8_t> dados{codigo};
    if (parametro)
        dados.push_back(*parametro);
    Responde(FuncaoDeErro(funcaoPedida), dados);
}

void InterfaceForca::EmiteQuadro(std::span<std::uint8_t> quadro)
{
    const std::uint64_t numero = ++m_quadrosEnviados;
    const auto cabe = [numero](unsigned cada) { return cada != 0 && numero % cada == 0; };
    if (cabe(m_falhas.perdaCada))
        return;
    if (cabe(m_falhas.checksumCada))
        quadro[quadro.size() - 2] ^= 0x5A;
    if (cabe(m_falhas.lixoCada)) {
        // Garbage never holds a start byte: it stands for line noise the
        // receiver can skip, not for a fake frame.
        std::vector<std::uint8_t> lixo(3 + m_sorteio() % 6);
        for (auto &byte : lixo) {
            byte = std::uint8_t(m_sorteio());
            if (byte == InicioQuadro)
                byte = 0xFF;
        }
        Envia(lixo);
    }
    Envia(quadro);
}

QString InterfaceForca::Comando(const QString &linha, Instante agora)
{
    const QStringList partes = linha.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (partes.isEmpty())
        return {};
    const QString nome = partes[0].toLower();
    const QString valor = partes.mid(1).join(QLatin1Char(' '));
    bool ok = true;
    const auto numero = [&valor, &ok]() {
        const std::optional<double> lido = numeros::LeDecimalOuPonto(valor);
        ok = lido && *lido >= 0;
        return lido.value_or(0);
    };
    const auto inteiro = [&valor, &ok]() { return valor.toUInt(&ok); };
    const QString invalido = QStringLiteral("Valor inválido para \"%1\": \"%2\".").arg(nome, valor);

    if (nome == QLatin1String("perfil")) {
        if (valor == QLatin1String("esforcos"))
            m_perfil.tipo = PerfilForca::Tipo::Esforcos;
        else if (valor == QLatin1String("sequencia"))
            m_perfil.tipo = PerfilForca::Tipo::Sequencia;
        else
            return invalido;
        return {};
    }
    if (nome == QLatin1String("arquivo"))
        return m_perfil.CarregaArquivo(valor);
    if (nome == QLatin1String("sentido")) {
        if (valor == QLatin1String("alternado"))
            m_perfil.sentido = PerfilForca::Sentido::Alternado;
        else if (valor == QLatin1String("agonista"))
            m_perfil.sentido = PerfilForca::Sentido::Agonista;
        else if (valor == QLatin1String("antagonista"))
            m_perfil.sentido = PerfilForca::Sentido::Antagonista;
        else
            return invalido;
        return {};
    }
    if (nome == QLatin1String("endereco")) {
        const unsigned endereco = valor.toUInt(&ok, 16);
        if (!ok || endereco > 0xFF)
            return invalido;
        m_endereco = std::uint8_t(endereco);
        return {};
    }
    if (nome == QLatin1String("erro")) {
        const unsigned codigo = inteiro();
        if (!ok || (codigo != 0 && (codigo < 2 || codigo > 7)))
            return invalido;
        m_falhas.erro = std::uint8_t(codigo);
        return {};
    }
    if (nome == QLatin1String("desliga") || nome == QLatin1String("liga")) {
        m_falhas.desligada = nome == QLatin1String("desliga");
        return {};
    }
    if (nome == QLatin1String("silencio")) {
        const double segundos = numero();
        if (!ok)
            return invalido;
        m_falhas.silencioAte.reset();
        if (segundos > 0)
            m_falhas.silencioAte = agora + std::chrono::duration_cast<Relogio::duration>(std::chrono::duration<double>(segundos));
        return {};
    }
    if (nome == QLatin1String("sem-transdutor")) {
        const unsigned ligado = inteiro();
        if (!ok || ligado > 1)
            return invalido;
        m_semTransdutor = ligado == 1;
        return {};
    }
    struct Contador { const char *nome; unsigned *alvo; };
    const Contador contadores[] = {
        {"lixo", &m_falhas.lixoCada}, {"checksum", &m_falhas.checksumCada}, {"perda", &m_falhas.perdaCada}};
    for (const Contador &contador : contadores) {
        if (nome != QLatin1String(contador.nome))
            continue;
        const unsigned cada = inteiro();
        if (!ok)
            return invalido;
        *contador.alvo = cada;
        return {};
    }
    struct Grandeza { const char *nome; double *alvo; };
    const Grandeza grandezas[] = {{"pico", &m_perfil.picoKgf}, {"duracao", &m_perfil.duracaoS},
                                  {"descanso", &m_perfil.descansoS}, {"sem-peso", &m_semPeso},
                                  {"indice", &m_indice}};
    for (const Grandeza &grandeza : grandezas) {
        if (nome != QLatin1String(grandeza.nome))
            continue;
        const double lido = numero();
        if (!ok)
            return invalido;
        *grandeza.alvo = lido;
        return {};
    }
    return QStringLiteral("Comando desconhecido: \"%1\".").arg(nome);
}
