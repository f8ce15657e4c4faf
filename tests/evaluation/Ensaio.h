#pragma once
// Test host for the evaluation engine: records the windows and the end, and
// builds configurations through a real settings file.

#include "Aquisicao.h"
#include "ConfiguracaoTeste.h"
#include "RegistroIni.h"

#include <QTemporaryDir>

#include <map>
#include <optional>
#include <string>
#include <vector>

struct PainelTeste final : PainelAvaliacao {
    std::vector<std::string> janelas; // "intervalo" / "troca"
    std::vector<DadosJanela> dadosJanelas;
    std::optional<FimAvaliacao> fim;
    int amostrasNoFim = -1;
    const MotorAvaliacao *motor = nullptr;
    RespostaJanela resposta = RespostaJanela::Continuar;

    RespostaJanela AbreJanela(const DadosJanela &d) override
    {
        janelas.push_back(d.tipo == DadosJanela::Tipo::Intervalo ? "intervalo" : "troca");
        dadosJanelas.push_back(d);
        return resposta;
    }
    void SalvaAvaliacao(const FimAvaliacao &f) override
    {
        fim = f;
        amostrasNoFim = motor ? motor->NumAmostras() : -1;
    }
    std::string Fim() const
    {
        if (!fim)
            return "";
        switch (fim->motivo) {
        case MotivoFim::Esquema: return fim->Etiqueta.toStdString();
        case MotivoFim::Duracao: return "duracao";
        case MotivoFim::Limite: return "limite";
        case MotivoFim::Ciclos: return "ciclos";
        case MotivoFim::Valores: return "valores";
        default: return "outro";
        }
    }
};

using Ajustes = std::map<std::string, std::string>;

// Settings of section "Dados" written to a real file and read back as an
// evaluation start reads them; `ajustes` overrides the base.
inline ConfiguracaoTeste Configura(const Ajustes &ajustes, bool demonstracao = true)
{
    Ajustes todos = {{"IniciaLateral", "Direita"},   {"LateralContraria", "Esquerda"},
                     {"IniciaContracao", "Flexão"},  {"ContracaoContraria", "Extensão"},
                     {"LSequencial", "1"},           {"LIntercalada", "0"},
                     {"NumeroRepeticao", "3"},       {"STeste", "TC"},
                     {"Frequencia", "300"},          {"Inicia", "1,000"},
                     {"MCiclo", "0,500"},            {"DuracaoTeste", "9999"},
                     {"Demo", demonstracao ? "Demo1" : "Demo0"}};
    for (const auto &[nome, valor] : ajustes)
        todos[nome] = valor;
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("config.ini"));
    RegistroIni registro = RegistroIni::DoArquivo(arquivo);
    for (const auto &[nome, valor] : todos)
        registro.WriteString(QStringLiteral("Dados"), QString::fromStdString(nome), QString::fromStdString(valor));
    return CarregaConfiguracao(RegistroIni::DoArquivo(arquivo), NomesContracao{});
}

// One engine with its acquisition and host; samples go straight to the
// engine step or through the demonstration replay.
struct Ensaio {
    PainelTeste painel;
    Avaliacao avaliacao{painel};
    std::vector<double> gravacao;

    explicit Ensaio(const ConfiguracaoTeste &c, double peso = 70)
    {
        painel.motor = &avaliacao.motor;
        avaliacao.Inicia(c, peso);
        avaliacao.aquisicao.IniciaLeitura();
    }
    MotorAvaliacao &motor() { return avaliacao.motor; }
    const RegistroAmostra &reg(int i) const { return avaliacao.motor.Amostras()[std::size_t(i)]; }

    void Processa(const std::vector<double> &forcas)
    {
        for (double f : forcas)
            avaliacao.motor.ProcessaAmostra(f);
    }
    // The demonstration path: values through the batch buffer, end checks
    // after every value, until the evaluation ends.
    void Reproduz(std::vector<double> valores)
    {
        gravacao = std::move(valores);
        avaliacao.aquisicao.DefineGravacao(gravacao);
        while (!avaliacao.motor.Encerrada() && avaliacao.aquisicao.LendoInterface())
            avaliacao.aquisicao.ColetaAmostras();
    }
    std::vector<int> Intervalos() const
    {
        std::vector<int> v;
        for (int i = 0; i < avaliacao.motor.NumAmostras(); ++i)
            v.push_back(reg(i).Intervalo);
        return v;
    }
    // Records carrying a contraction summary.
    std::vector<int> Resumos() const
    {
        std::vector<int> v;
        for (int i = 0; i < avaliacao.motor.NumAmostras(); ++i)
            if (reg(i).KGF_MAX != 0)
                v.push_back(i);
        return v;
    }
};
