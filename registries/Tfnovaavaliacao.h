#pragma once
// The window opened before every evaluation: who is evaluated, in which
// group and season, by whom, with which body weight and exercise. "&Iniciar
// Avaliação" checks the entries, keeps them (Dados()) and closes with OK.
//
// Nothing is written to the database here except the persons and groups
// inserted from the window.

#include "DadosNovaAvaliacao.h"
#include "Registro.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class Mensagens;
class Tfdados;

namespace Ui {
class Tfnovaavaliacao;
}

class Tfnovaavaliacao : public QDialog {
    Q_OBJECT
public:
    Tfnovaavaliacao(Tfdados &dados, Mensagens &mensagens, QWidget *pai = nullptr);
    ~Tfnovaavaliacao() override;

    // Set by the caller before the window is shown.
    void DefineAvaliacao(qint64 numero, const QDate &data);
    // What "&Parâmetros" and "&Gráfico" open; a button without one is disabled.
    void DefineJanelas(std::function<void()> parametros, std::function<void()> graficos);

    // The values kept by a successful "&Iniciar Avaliação".
    const DadosNovaAvaliacao &Dados() const { return m_resultado; }

    // Refills lists: 1 persons, 2 groups, 3 seasons of the chosen group.
    void cpAtualizar(int tipo);

public slots:
    void cpNomeChange();
    void cpApelidoChange();
    void cpAvaliadoChange();
    void cpGrupoChange();
    void cpTemporadaChange();
    void btNovoAvaliadoClick();
    void btNovoGrupoClick();
    void b1Click();

protected:
    void showEvent(QShowEvent *evento) override;
    void done(int resultado) override;

private:
    // The person of that row becomes the chosen one: number, name,
    // nickname, age and sex are shown.
    void MostraAvaliado(const Registro &avaliado);
    std::optional<Registro> ProcuraAvaliado(const QString &campo, const QVariant &valor) const;

    std::unique_ptr<Ui::Tfnovaavaliacao> ui;
    Tfdados &m_dados;
    Mensagens &m_mensagens;
    std::function<void()> m_abreParametros;
    std::function<void()> m_abreGraficos;

    // The person shown, and the name reselected when lists are refilled with
    // "Manter dados" on: at first the person of the last evaluation.
    std::optional<Registro> m_avaliado;
    QString m_nomeLembrado;
    qint64 m_grupoAtual = 0;
    DadosNovaAvaliacao m_resultado;
};
