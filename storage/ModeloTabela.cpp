#include "ModeloTabela.h"

#include "Tfdados.h"

ModeloTabela::ModeloTabela(Tfdados &dados, const QString &tabela, const QStringList &campos, QObject *parent)
    : QAbstractTableModel(parent)
    , m_dados(&dados)
    , m_conjunto(*esquema::Procura(tabela))
{
    for (const QString &campo : campos.isEmpty() ? m_conjunto.Tabela().NomesCampos() : campos) {
        const int indice = m_conjunto.Tabela().Indice(campo);
        if (indice < 0)
            continue;
        m_campos << m_conjunto.Tabela().campos[indice].nome;
        m_indices << indice;
    }
    connect(&dados, &Tfdados::TabelaAlterada, this, [this](const QString &nome) {
        if (nome.compare(m_conjunto.Tabela().nome, Qt::CaseInsensitive) == 0)
            Recarrega();
    });
    Recarrega();
}

void ModeloTabela::Recarrega()
{
    beginResetModel();
    if (m_dados)
        m_conjunto.Carrega(m_dados->Banco(), nullptr);
    else
        m_conjunto.Esvazia();
    endResetModel();
}

void ModeloTabela::DefineFiltro(const QString &campo, const QVariant &valor)
{
    m_conjunto.DefineFiltro(campo, valor);
    Recarrega();
}

void ModeloTabela::LimpaFiltro()
{
    m_conjunto.LimpaFiltro();
    Recarrega();
}

void ModeloTabela::DefineOrdem(const QStringList &campos)
{
    m_conjunto.DefineOrdem(campos);
    Recarrega();
}

void ModeloTabela::SegueMestre(TabelaDados &mestre, const QString &campoMestre, const QString &campoDetalhe)
{
    auto segue = [this, &mestre, campoMestre, campoDetalhe] {
        const QVariant valor = mestre.Campo(campoMestre);
        if (m_conjunto.Filtrado() && m_conjunto.ValorFiltro() == valor)
            return;
        DefineFiltro(campoDetalhe, valor);
    };
    connect(&mestre, &TabelaDados::Moveu, this, segue);
    segue();
}

Registro ModeloTabela::Linha(int linha) const
{
    if (!m_dados)
        return {};
    const Registro *registro = m_conjunto.Linha(m_dados->Banco(), linha, nullptr);
    return registro ? *registro : Registro();
}

int ModeloTabela::Coluna(const QString &campo) const
{
    for (int c = 0; c < m_campos.size(); ++c)
        if (m_campos[c].compare(campo, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

int ModeloTabela::rowCount(const QModelIndex &pai) const { return pai.isValid() ? 0 : m_conjunto.Quantidade(); }

int ModeloTabela::columnCount(const QModelIndex &pai) const { return pai.isValid() ? 0 : int(m_campos.size()); }

QVariant ModeloTabela::data(const QModelIndex &indice, int papel) const
{
    if (!indice.isValid() || !m_dados || (papel != Qt::DisplayRole && papel != Qt::EditRole))
        return {};
    const Registro *registro = m_conjunto.Linha(m_dados->Banco(), indice.row(), nullptr);
    return registro ? registro->Valor(m_indices.value(indice.column(), -1)) : QVariant();
}

QVariant ModeloTabela::headerData(int secao, Qt::Orientation orientacao, int papel) const
{
    if (papel != Qt::DisplayRole)
        return {};
    if (orientacao == Qt::Horizontal)
        return m_campos.value(secao);
    return secao + 1;
}
