#include "Conjunto.h"

#include "Sqlite.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>

using esquema::Aspas;

namespace {

constexpr int PaginasGuardadas = 8;

QString erroDe(const QSqlQuery &consulta) { return consulta.lastError().text(); }

} // namespace

Conjunto::Conjunto(const esquema::Tabela &tabela)
    : m_tabela(&tabela)
{
}

void Conjunto::DefineFiltro(const QString &campo, const QVariant &valor)
{
    m_campoFiltro = campo;
    m_valorFiltro = valor;
}

void Conjunto::LimpaFiltro()
{
    m_campoFiltro.clear();
    m_valorFiltro.clear();
}

void Conjunto::DefineOrdem(const QStringList &campos) { m_ordem = campos; }

QString Conjunto::clausulas() const
{
    QString sql;
    if (Filtrado())
        sql += QStringLiteral(" WHERE %1 = :filtro").arg(Aspas(m_campoFiltro));
    return sql + esquema::ClausulaOrdem(*m_tabela, m_ordem);
}

void Conjunto::ligaFiltro(QSqlQuery &consulta) const
{
    if (!Filtrado())
        return;
    const esquema::Campo *campo = m_tabela->Procura(m_campoFiltro);
    consulta.bindValue(QStringLiteral(":filtro"),
                       campo ? Registro::ParaBanco(*campo, Registro::Converte(*campo, m_valorFiltro)) : m_valorFiltro);
}

bool Conjunto::Carrega(const QSqlDatabase &banco, QString *erro)
{
    Esvazia();
    if (!banco.isOpen()) {
        if (erro)
            *erro = QStringLiteral("O banco de dados está fechado.");
        return false;
    }
    QSqlQuery consulta(banco);
    consulta.setForwardOnly(true);
    if (!consulta.prepare(QStringLiteral("SELECT rowid FROM %1%2").arg(Aspas(m_tabela->nome), clausulas()))) {
        if (erro)
            *erro = erroDe(consulta);
        return false;
    }
    ligaFiltro(consulta);
    if (!consulta.exec()) {
        if (erro)
            *erro = erroDe(consulta);
        return false;
    }
    while (consulta.next())
        m_ids << consulta.value(0).toLongLong();
    return true;
}

void Conjunto::Esvazia()
{
    m_ids.clear();
    m_paginas.clear();
    m_paginasRecentes.clear();
    m_paginasLidas = 0;
}

bool Conjunto::lePagina(const QSqlDatabase &banco, int pagina, QString *erro)
{
    sqlite3 *conexao = sqlite::Conexao(banco);
    if (!conexao) {
        if (erro)
            *erro = QStringLiteral("O banco de dados está fechado.");
        return false;
    }
    const int inicio = pagina * TamanhoPagina;
    const int fim = std::min(Quantidade(), inicio + TamanhoPagina);
    QStringList colunas{QStringLiteral("rowid")};
    for (const esquema::Campo &c : m_tabela->campos)
        colunas << Aspas(c.nome);
    QStringList ids;
    for (int i = inicio; i < fim; ++i)
        ids << QString::number(m_ids[i]);
    const QByteArray sql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid IN (%3)")
                               .arg(colunas.join(','), Aspas(m_tabela->nome), ids.join(','))
                               .toUtf8();
    sqlite3_stmt *comando = nullptr;
    if (sqlite3_prepare_v2(conexao, sql.constData(), int(sql.size()), &comando, nullptr) != SQLITE_OK) {
        if (erro)
            *erro = QString::fromUtf8(sqlite3_errmsg(conexao));
        sqlite3_finalize(comando);
        return false;
    }
    const QList<esquema::Campo> &campos = m_tabela->campos;
    QList<Registro> linhas(fim - inicio);
    int resultado;
    while ((resultado = sqlite3_step(comando)) == SQLITE_ROW) {
        const int posicao = int(m_ids.indexOf(sqlite3_column_int64(comando, 0), inicio)) - inicio;
        if (posicao < 0 || posicao >= linhas.size())
            continue;
        QVariantList valores;
        valores.reserve(campos.size());
        for (int c = 0; c < campos.size(); ++c)
            valores << sqlite::Le(comando, c + 1, campos[c]);
        linhas[posicao] = Registro(*m_tabela, std::move(valores));
    }
    sqlite3_finalize(comando);
    if (resultado != SQLITE_DONE) {
        if (erro)
            *erro = QString::fromUtf8(sqlite3_errmsg(conexao));
        return false;
    }
    if (m_paginasRecentes.size() >= PaginasGuardadas)
        m_paginas.remove(m_paginasRecentes.takeFirst());
    m_paginas.insert(pagina, std::move(linhas));
    m_paginasRecentes << pagina;
    ++m_paginasLidas;
    return true;
}

const Registro *Conjunto::Linha(const QSqlDatabase &banco, int indice, QString *erro)
{
    if (indice < 0 || indice >= Quantidade())
        return nullptr;
    const int pagina = indice / TamanhoPagina;
    if (!m_paginas.contains(pagina) && !lePagina(banco, pagina, erro))
        return nullptr;
    const Registro &linha = m_paginas[pagina][indice % TamanhoPagina];
    // A row deleted behind our back since the ids were read has no table.
    return linha.Tabela() ? &linha : nullptr;
}

namespace {

bool confere(const esquema::Campo &campo, const QVariant &armazenado, const QVariant &procurado, bool chaveParcial,
             bool semCaixa)
{
    if (procurado.isNull() || armazenado.isNull())
        return procurado.isNull() && armazenado.isNull();
    switch (campo.tipo) {
    case esquema::Tipo::Texto: {
        const QString texto = armazenado.toString();
        const QString alvo = procurado.toString();
        const Qt::CaseSensitivity caixa = semCaixa ? Qt::CaseInsensitive : Qt::CaseSensitive;
        return chaveParcial ? texto.startsWith(alvo, caixa) : texto.compare(alvo, caixa) == 0;
    }
    case esquema::Tipo::Data:
        return armazenado.toDate() == procurado.toDate();
    case esquema::Tipo::Inteiro:
    case esquema::Tipo::Decimal:
        return armazenado.toDouble() == procurado.toDouble();
    }
    return false;
}

} // namespace

int Conjunto::Procura(const QSqlDatabase &banco, const QStringList &campos, const QVariantList &valores,
                      bool chaveParcial, bool semCaixa, QString *erro)
{
    QList<const esquema::Campo *> definicoes;
    QVariantList alvos;
    QStringList colunas{QStringLiteral("rowid")};
    for (int i = 0; i < campos.size(); ++i) {
        const esquema::Campo *campo = m_tabela->Procura(campos[i]);
        if (!campo) {
            if (erro)
                *erro = QStringLiteral("Campo %1 não existe na tabela %2.").arg(campos[i], m_tabela->nome);
            return -1;
        }
        definicoes << campo;
        // Text is compared as typed (a prefix longer than the field never matches).
        alvos << (campo->tipo == esquema::Tipo::Texto ? QVariant(valores.value(i).toString())
                                                       : Registro::Converte(*campo, valores.value(i)));
        colunas << Aspas(campo->nome);
    }
    QSqlQuery consulta(banco);
    consulta.setForwardOnly(true);
    if (!consulta.prepare(
            QStringLiteral("SELECT %1 FROM %2%3").arg(colunas.join(','), Aspas(m_tabela->nome), clausulas()))) {
        if (erro)
            *erro = erroDe(consulta);
        return -1;
    }
    ligaFiltro(consulta);
    if (!consulta.exec()) {
        if (erro)
            *erro = erroDe(consulta);
        return -1;
    }
    while (consulta.next()) {
        bool todos = true;
        for (int i = 0; i < definicoes.size() && todos; ++i)
            todos = confere(*definicoes[i], Registro::DoBanco(*definicoes[i], consulta.value(i + 1)),
                            alvos[i], chaveParcial, semCaixa);
        if (todos)
            return IndiceDe(consulta.value(0).toLongLong());
    }
    return -1;
}
