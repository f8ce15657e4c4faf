#include "TabelaDados.h"

#include "Tfdados.h"

#include <QScopedValueRollback>
#include <QSqlError>
#include <QSqlQuery>

TabelaDados::TabelaDados(Tfdados &dados, const esquema::Tabela &tabela)
    : QObject(&dados)
    , m_dados(dados)
    , m_conjunto(tabela)
{
}

bool TabelaDados::falha(const QString &texto)
{
    m_erro = texto;
    return false;
}

bool TabelaDados::abre()
{
    m_estado = Estado::Navegando;
    m_posicao = -1;
    if (!m_conjunto.Carrega(m_dados.Banco(), &m_erro)) {
        m_estado = Estado::Fechada;
        return false;
    }
    posiciona(0);
    m_bof = true;
    return true;
}

void TabelaDados::fecha()
{
    m_conjunto.Esvazia();
    m_estado = Estado::Fechada;
    m_posicao = -1;
    m_eof = m_bof = true;
    emit Moveu();
}

void TabelaDados::posiciona(int posicao)
{
    const int anterior = m_posicao;
    m_posicao = IsEmpty() ? -1 : std::clamp(posicao, 0, RecordCount() - 1);
    m_eof = m_bof = IsEmpty();
    if (m_posicao != anterior || IsEmpty())
        emit Moveu();
}

bool TabelaDados::Atualiza()
{
    if (!Ativa())
        return false;
    Cancel();
    const qint64 id = m_conjunto.Id(m_posicao);
    const int posicao = m_posicao;
    if (!m_conjunto.Carrega(m_dados.Banco(), &m_erro))
        return false;
    const int mesma = m_conjunto.IndiceDe(id);
    m_posicao = -1;   // the rows were read again: tell the followers even when on the same position
    posiciona(mesma >= 0 ? mesma : posicao);
    return true;
}

void TabelaDados::avisoDeAlteracao()
{
    if (!m_gravando && m_estado == Estado::Navegando)
        Atualiza();
}

bool TabelaDados::saiDaEdicao()
{
    if (m_estado == Estado::Inserindo || m_estado == Estado::Editando)
        return Post();
    return Ativa();
}

void TabelaDados::First()
{
    if (!saiDaEdicao())
        return;
    posiciona(0);
    m_bof = true;
}

void TabelaDados::Last()
{
    if (!saiDaEdicao())
        return;
    posiciona(RecordCount() - 1);
    m_eof = true;
}

void TabelaDados::Next()
{
    if (!saiDaEdicao())
        return;
    if (m_posicao + 1 >= RecordCount()) {
        m_eof = true;
        return;
    }
    posiciona(m_posicao + 1);
}

void TabelaDados::Prior()
{
    if (!saiDaEdicao())
        return;
    if (m_posicao <= 0) {
        m_bof = true;
        return;
    }
    posiciona(m_posicao - 1);
}

bool TabelaDados::MoveTo(int posicao)
{
    if (!saiDaEdicao() || posicao < 0 || posicao >= RecordCount())
        return false;
    posiciona(posicao);
    return true;
}

Registro TabelaDados::Atual() const
{
    if (m_estado == Estado::Inserindo || m_estado == Estado::Editando)
        return m_edicao;
    QString erro;
    const Registro *linha = const_cast<Conjunto &>(m_conjunto).Linha(m_dados.Banco(), m_posicao, &erro);
    return linha ? *linha : Registro();
}

bool TabelaDados::Append()
{
    if (!saiDaEdicao())
        return false;
    m_edicao = Registro(Definicao());
    m_idEdicao = -1;
    m_estado = Estado::Inserindo;
    return true;
}

bool TabelaDados::Edit()
{
    if (!saiDaEdicao())
        return false;
    const Registro atual = Atual();
    if (!atual.Tabela())
        return falha(QStringLiteral("Não há registro para alterar em %1.").arg(Nome()));
    m_edicao = atual;
    m_idEdicao = m_conjunto.Id(m_posicao);
    m_estado = Estado::Editando;
    return true;
}

bool TabelaDados::SetCampo(const QString &nome, const QVariant &valor)
{
    if (m_estado != Estado::Inserindo && m_estado != Estado::Editando)
        return falha(QStringLiteral("A tabela %1 não está em edição.").arg(Nome()));
    return m_edicao.Define(nome, valor, &m_erro);
}

bool TabelaDados::Post()
{
    if (m_estado == Estado::Navegando)
        return true;
    if (m_estado == Estado::Fechada)
        return falha(QStringLiteral("A tabela %1 está fechada.").arg(Nome()));

    // Our own write needs no notice: the rows are read again below.
    const QScopedValueRollback proprio(m_gravando, true);
    qint64 id = m_idEdicao;
    if (m_estado == Estado::Inserindo) {
        Insercao insercao(m_dados, Nome());
        id = insercao.Insere(m_edicao);
        if (id < 0)
            return falha(insercao.Erro());
    } else {
        QStringList atribuicoes;
        for (const esquema::Campo &c : Definicao().campos)
            atribuicoes << esquema::Aspas(c.nome) + QStringLiteral(" = ?");
        QSqlQuery comando(m_dados.Banco());
        comando.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                            .arg(esquema::Aspas(Nome()), atribuicoes.join(QStringLiteral(", "))));
        for (int i = 0; i < Definicao().campos.size(); ++i)
            comando.addBindValue(Registro::ParaBanco(Definicao().campos[i], m_edicao.Valor(i)));
        comando.addBindValue(id);
        if (!comando.exec())
            return falha(QStringLiteral("Não foi possível gravar em %1: %2").arg(Nome(), comando.lastError().text()));
        m_dados.Alterada(Nome());
    }
    m_estado = Estado::Navegando;
    const int posicao = m_posicao;
    if (!m_conjunto.Carrega(m_dados.Banco(), &m_erro))
        return false;
    const int gravada = m_conjunto.IndiceDe(id);
    m_posicao = -1;
    posiciona(gravada >= 0 ? gravada : posicao);
    return true;
}

void TabelaDados::Cancel()
{
    if (m_estado == Estado::Inserindo || m_estado == Estado::Editando)
        m_estado = Estado::Navegando;
    m_edicao = Registro();
}

bool TabelaDados::Delete()
{
    if (!saiDaEdicao())
        return false;
    if (m_posicao < 0)
        return falha(QStringLiteral("Não há registro para excluir em %1.").arg(Nome()));
    QSqlQuery comando(m_dados.Banco());
    comando.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(esquema::Aspas(Nome())));
    comando.addBindValue(m_conjunto.Id(m_posicao));
    if (!comando.exec())
        return falha(QStringLiteral("Não foi possível excluir de %1: %2").arg(Nome(), comando.lastError().text()));
    const int posicao = m_posicao;
    {
        const QScopedValueRollback proprio(m_gravando, true);
        m_dados.Alterada(Nome());
    }
    if (!m_conjunto.Carrega(m_dados.Banco(), &m_erro))
        return false;
    m_posicao = -1;
    posiciona(posicao);
    return true;
}

bool TabelaDados::Locate(const QStringList &campos, const QVariantList &valores, OpcoesLocate opcoes)
{
    if (!saiDaEdicao())
        return false;
    const int achado = m_conjunto.Procura(m_dados.Banco(), campos, valores,
                                          opcoes.testFlag(OpcaoLocate::ChaveParcial),
                                          opcoes.testFlag(OpcaoLocate::SemCaixa), &m_erro);
    if (achado < 0)
        return false;
    posiciona(achado);
    return true;
}

bool TabelaDados::Locate(const QString &campo, const QVariant &valor, OpcoesLocate opcoes)
{
    return Locate(QStringList{campo}, QVariantList{valor}, opcoes);
}

void TabelaDados::DefineFiltro(const QString &campo, const QVariant &valor)
{
    Cancel();
    m_conjunto.DefineFiltro(campo, valor);
    if (Ativa())
        abre();
}

void TabelaDados::LimpaFiltro()
{
    Cancel();
    m_conjunto.LimpaFiltro();
    if (Ativa())
        abre();
}

void TabelaDados::DefineOrdem(const QStringList &campos)
{
    Cancel();
    m_conjunto.DefineOrdem(campos);
    if (Ativa())
        abre();
}

qint64 TabelaDados::ProximaChave() const { return m_dados.ProximaChave(Nome()); }
