#include "Tfdados.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include "Sqlite.h"

#include <cmath>

using esquema::Aspas;

namespace {

const QString GrupoIndividual = QStringLiteral("INDIVIDUAL");

void ligaParametros(QSqlQuery &consulta, const QVariantMap &parametros)
{
    for (auto it = parametros.cbegin(); it != parametros.cend(); ++it)
        consulta.bindValue(it.key().startsWith(':') ? it.key() : ':' + it.key(), it.value());
}

} // namespace

Tfdados::Tfdados(const QString &pastaDados, QObject *parent)
    : QObject(parent)
    , m_pasta(QDir(pastaDados).absolutePath())
    , m_arquivo(QDir(m_pasta).filePath(NomeArquivo))
    , m_conexao(QStringLiteral("vyrax-dados-%1").arg(quintptr(this), 0, 16))
{
    for (const esquema::Tabela &t : esquema::Tabelas())
        m_tabelas.push_back(std::make_unique<TabelaDados>(*this, t));
    connect(this, &Tfdados::TabelaAlterada, this, [this](const QString &nome) {
        if (TabelaDados *t = Tabela(nome))
            t->avisoDeAlteracao();
    });
    ligaMestreDetalhe();
    m_bancoOK = AbreTabelas();
}

Tfdados::~Tfdados()
{
    for (auto &t : m_tabelas)
        t->blockSignals(true);
    m_tabelas.clear();
    QSqlDatabase::database(m_conexao, false).close();
    QSqlDatabase::removeDatabase(m_conexao);
}

QString Tfdados::PastaDados()
{
    const QString pasta = qEnvironmentVariable("VYRAX_DADOS");
    if (!pasta.isEmpty())
        return pasta;
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

qint64 Tfdados::TamanhoArquivo() const { return QFileInfo(m_arquivo).size(); }

QSqlDatabase Tfdados::Banco() const { return QSqlDatabase::database(m_conexao, false); }

bool Tfdados::falha(const QString &texto)
{
    m_erro = texto;
    return false;
}

TabelaDados *Tfdados::Tabela(const QString &nome)
{
    for (auto &t : m_tabelas)
        if (t->Nome().compare(nome, Qt::CaseInsensitive) == 0)
            return t.get();
    return nullptr;
}

// Moving in TBresultados moves its three detail tables to the same evaluation.
void Tfdados::ligaMestreDetalhe()
{
    connect(&TBresultados(), &TabelaDados::Moveu, this, [this] {
        const QVariant avaliacao = TBresultados().Campo(QStringLiteral("Avaliacao"));
        if (avaliacao == m_avaliacaoDetalhe)
            return;
        m_avaliacaoDetalhe = avaliacao;
        for (auto &t : m_tabelas)
            if (t->Definicao().detalhe)
                t->DefineFiltro(QStringLiteral("Avaliacao"), avaliacao);
    });
    for (auto &t : m_tabelas)
        if (t->Definicao().detalhe)
            t->DefineFiltro(QStringLiteral("Avaliacao"), m_avaliacaoDetalhe);
}

bool Tfdados::abreSessao()
{
    const QFileInfo arquivo(m_arquivo);
    if (!arquivo.exists())
        return falha(QStringLiteral("O banco de dados %1 não foi encontrado. Crie-o com: vyrax-cli init --banco %1")
                         .arg(m_arquivo));
    // SQLite writes its journal beside the file: both must be writable.
    if (!arquivo.isWritable() || !QFileInfo(m_pasta).isWritable())
        return falha(QStringLiteral("O banco de dados %1 não pode ser gravado: verifique as permissões do arquivo "
                                    "e da pasta.")
                         .arg(m_arquivo));
    QSqlDatabase banco = QSqlDatabase::contains(m_conexao)
                             ? QSqlDatabase::database(m_conexao, false)
                             : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_conexao);
    banco.setDatabaseName(m_arquivo);
    if (!banco.open())
        return falha(QStringLiteral("Erro ao ativar sessão do banco de dados! %1").arg(banco.lastError().text()));
    return true;
}

bool Tfdados::confereEsquema()
{
    QSqlQuery consulta(Banco());
    if (!consulta.exec(QStringLiteral("PRAGMA application_id")) || !consulta.next()
        || consulta.value(0).toInt() != esquema::IdAplicacao)
        return falha(QStringLiteral("O arquivo %1 não é um banco de dados do Vyrax.").arg(m_arquivo));

    int versao = -1;
    if (consulta.exec(QStringLiteral("PRAGMA user_version")) && consulta.next())
        versao = consulta.value(0).toInt();
    if (versao == esquema::Versao
        && (!consulta.exec(QStringLiteral("SELECT \"Versao\" FROM %1").arg(Aspas(esquema::TabelaVersao)))
            || !consulta.next()))
        versao = -1;
    else if (versao == esquema::Versao)
        versao = consulta.value(0).toInt();
    if (versao != esquema::Versao)
        return falha(QStringLiteral("O banco de dados %1 é da versão %2 e este programa usa a versão %3. "
                                    "O banco não foi alterado.")
                         .arg(m_arquivo, versao < 0 ? QStringLiteral("desconhecida") : QString::number(versao))
                         .arg(esquema::Versao));

    for (const esquema::Tabela &t : esquema::Tabelas()) {
        QStringList existentes;
        if (consulta.exec(QStringLiteral("PRAGMA table_info(%1)").arg(Aspas(t.nome))))
            while (consulta.next())
                existentes << consulta.value(1).toString();
        if (existentes.isEmpty())
            return falha(QStringLiteral("A tabela %1 não existe no banco de dados %2.").arg(t.nome, m_arquivo));
        for (const esquema::Campo &c : t.campos)
            if (!existentes.contains(c.nome))
                return falha(QStringLiteral("O campo %1 da tabela %2 não existe no banco de dados %3.")
                                 .arg(c.nome, t.nome, m_arquivo));
    }
    return true;
}

bool Tfdados::restauraIndividual()
{
    QSqlQuery consulta(Banco());
    if (!consulta.exec(QStringLiteral("SELECT 1 FROM \"TBgrupos\" WHERE \"Grupo\" = 0")))
        return falha(consulta.lastError().text());
    if (consulta.next())
        return true;
    consulta.prepare(QStringLiteral("INSERT INTO \"TBgrupos\" (\"Grupo\", \"Nome\") VALUES (0, ?)"));
    consulta.addBindValue(GrupoIndividual);
    if (!consulta.exec())
        return falha(QStringLiteral("Não foi possível restaurar o grupo INDIVIDUAL: %1").arg(consulta.lastError().text()));
    return true;
}

bool Tfdados::AbreTabelas()
{
    FechaTabelas();
    m_erro.clear();
    if (!abreSessao())
        return false;
    if (!confereEsquema() || !restauraIndividual()) {
        Banco().close();
        return false;
    }
    for (auto &t : m_tabelas) {
        if (!t->abre())
            return falha(QStringLiteral("Não foi possível abrir a tabela %1: %2").arg(t->Nome(), t->Erro()));
    }
    m_bancoOK = true;
    for (auto &t : m_tabelas)
        emit TabelaAlterada(t->Nome());
    return true;
}

bool Tfdados::FechaTabelas()
{
    const bool estavaAberto = Banco().isOpen();
    for (auto &t : m_tabelas)
        t->fecha();
    Banco().close();
    m_bancoOK = false;
    if (estavaAberto)
        for (auto &t : m_tabelas)
            emit TabelaAlterada(t->Nome());
    return true;
}

bool Tfdados::CompactaTabela(const QString &tabela)
{
    const esquema::Tabela *t = esquema::Procura(tabela);
    if (!t)
        return falha(QStringLiteral("A tabela %1 não existe.").arg(tabela));
    if (!Banco().isOpen())
        return falha(QStringLiteral("O banco de dados está fechado."));
    QSqlQuery comando(Banco());
    if (!comando.exec(QStringLiteral("REINDEX %1").arg(Aspas(t->nome))))
        return falha(QStringLiteral("Erro ao compactar a tabela %1: %2").arg(t->nome, comando.lastError().text()));
    // Row ids may change when the file is packed: the cursors and grids read again.
    const bool compactou = comando.exec(QStringLiteral("VACUUM"));
    const QString problema = comando.lastError().text();
    for (auto &cursor : m_tabelas) {
        cursor->abre();
        emit TabelaAlterada(cursor->Nome());
    }
    if (!compactou)
        return falha(QStringLiteral("Erro ao compactar o banco de dados: %1").arg(problema));
    return true;
}

bool Tfdados::CompactaTabelas()
{
    if (!Banco().isOpen())
        return falha(QStringLiteral("O banco de dados está fechado."));
    QSqlQuery comando(Banco());
    for (const esquema::Tabela &t : esquema::Tabelas())
        if (!comando.exec(QStringLiteral("REINDEX %1").arg(Aspas(t.nome))))
            return falha(QStringLiteral("Erro ao compactar a tabela %1: %2").arg(t.nome, comando.lastError().text()));
    return CompactaTabela(esquema::Tabelas().constLast().nome);
}

qint64 Tfdados::ProximaChave(const QString &tabela)
{
    const esquema::Tabela *t = esquema::Procura(tabela);
    if (!t || t->chave.isEmpty()) {
        falha(QStringLiteral("A tabela %1 não tem chave.").arg(tabela));
        return -1;
    }
    const QList<QSqlRecord> maior =
        Consulta(QStringLiteral("SELECT MAX(%1) FROM %2").arg(Aspas(t->chave), Aspas(t->nome)));
    if (maior.isEmpty())
        return -1;
    const QVariant ultimo = maior.constFirst().value(0);
    return ultimo.isNull() ? 1 : qint64(std::floor(ultimo.toDouble())) + 1;
}

qint64 Tfdados::NumeroRegistros(const QString &tabela)
{
    const esquema::Tabela *t = esquema::Procura(tabela);
    if (!t) {
        falha(QStringLiteral("A tabela %1 não existe.").arg(tabela));
        return -1;
    }
    const QList<QSqlRecord> total = Consulta(QStringLiteral("SELECT COUNT(*) FROM %1").arg(Aspas(t->nome)));
    return total.isEmpty() ? -1 : total.constFirst().value(0).toLongLong();
}

quint8 Tfdados::NivelBanco() { return quint8(NumeroRegistros(QStringLiteral("TBresultados")) & 0xFF); }

namespace {

// "SELECT <colunas> FROM t WHERE a = :p0 AND ... ORDER BY ..." with its parameters.
QString selecao(const esquema::Tabela &t, const QStringList &colunas, const QVariantMap &iguais,
                const QStringList &ordem, QVariantMap *parametros, QString *erro)
{
    QStringList condicoes;
    for (auto it = iguais.cbegin(); it != iguais.cend(); ++it) {
        const esquema::Campo *campo = t.Procura(it.key());
        if (!campo) {
            *erro = QStringLiteral("Campo %1 não existe na tabela %2.").arg(it.key(), t.nome);
            return {};
        }
        const QString nome = QStringLiteral(":p%1").arg(condicoes.size());
        condicoes << Aspas(campo->nome) + " = " + nome;
        parametros->insert(nome, Registro::ParaBanco(*campo, Registro::Converte(*campo, it.value())));
    }
    for (const QString &campo : ordem + colunas)
        if (!t.Procura(campo)) {
            *erro = QStringLiteral("Campo %1 não existe na tabela %2.").arg(campo, t.nome);
            return {};
        }
    QStringList quotadas;
    for (const QString &c : colunas)
        quotadas << Aspas(t.Procura(c)->nome);
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(quotadas.join(','), Aspas(t.nome));
    if (!condicoes.isEmpty())
        sql += QStringLiteral(" WHERE ") + condicoes.join(QStringLiteral(" AND "));
    return sql + esquema::ClausulaOrdem(t, ordem);
}

} // namespace

QList<QVariantList> Tfdados::seleciona(const QString &tabela, QStringList campos, const QVariantMap &iguais,
                                      const QStringList &ordem, const esquema::Tabela **definicao)
{
    const esquema::Tabela *t = esquema::Procura(tabela);
    if (!t) {
        falha(QStringLiteral("A tabela %1 não existe.").arg(tabela));
        return {};
    }
    *definicao = t;
    if (campos.isEmpty())
        campos = t->NomesCampos();
    QVariantMap parametros;
    QString erro;
    const QString sql = selecao(*t, campos, iguais, ordem, &parametros, &erro);
    if (sql.isEmpty()) {
        falha(erro);
        return {};
    }
    QList<const esquema::Campo *> colunas;
    for (const QString &c : campos)
        colunas << t->Procura(c);
    QList<QVariantList> linhas;
    for (const QSqlRecord &r : Consulta(sql, parametros)) {
        QVariantList valores;
        for (int c = 0; c < colunas.size(); ++c)
            valores << Registro::DoBanco(*colunas[c], r.value(c));
        linhas << valores;
    }
    return linhas;
}

QList<Registro> Tfdados::Linhas(const QString &tabela, const QVariantMap &iguais, const QStringList &ordem)
{
    const esquema::Tabela *t = nullptr;
    QList<Registro> linhas;
    for (QVariantList &valores : seleciona(tabela, {}, iguais, ordem, &t))
        linhas << Registro(*t, std::move(valores));
    return linhas;
}

QVariantList Tfdados::Valores(const QString &tabela, const QString &campo, const QVariantMap &iguais,
                              const QStringList &ordem)
{
    const esquema::Tabela *t = nullptr;
    QVariantList valores;
    for (const QVariantList &linha : seleciona(tabela, {campo}, iguais, ordem, &t))
        valores << linha.constFirst();
    return valores;
}

bool Tfdados::ExcluiAvaliacao(qint64 avaliacao)
{
    Transacao transacao(*this);
    if (!transacao.Ativa())
        return false;
    for (const char *tabela : {"TBrepeticao", "TBdeficit", "TBdados", "TBresultados"}) {
        if (!Executa(QStringLiteral("DELETE FROM \"%1\" WHERE \"Avaliacao\" = :avaliacao").arg(QLatin1String(tabela)),
                     {{QStringLiteral("avaliacao"), avaliacao}}))
            return false;
        Alterada(QLatin1String(tabela));
    }
    return transacao.Confirma();
}

bool Tfdados::EsvaziaTabela(const QString &tabela)
{
    const esquema::Tabela *t = esquema::Procura(tabela);
    if (!t)
        return falha(QStringLiteral("A tabela %1 não existe.").arg(tabela));
    if (!Executa(QStringLiteral("DELETE FROM %1").arg(Aspas(t->nome))))
        return false;
    Alterada(t->nome);
    return true;
}

QList<QSqlRecord> Tfdados::Consulta(const QString &sql, const QVariantMap &parametros)
{
    QSqlQuery consulta(Banco());
    consulta.setForwardOnly(true);
    if (!consulta.prepare(sql)) {
        falha(QStringLiteral("Erro na consulta: %1").arg(consulta.lastError().text()));
        return {};
    }
    ligaParametros(consulta, parametros);
    if (!consulta.exec()) {
        falha(QStringLiteral("Erro na consulta: %1").arg(consulta.lastError().text()));
        return {};
    }
    QList<QSqlRecord> linhas;
    while (consulta.next())
        linhas << consulta.record();
    return linhas;
}

bool Tfdados::Executa(const QString &sql, const QVariantMap &parametros)
{
    QSqlQuery comando(Banco());
    if (!comando.prepare(sql))
        return falha(QStringLiteral("Erro no comando: %1").arg(comando.lastError().text()));
    ligaParametros(comando, parametros);
    if (!comando.exec())
        return falha(QStringLiteral("Erro no comando: %1").arg(comando.lastError().text()));
    return true;
}

void Tfdados::Alterada(const QString &tabela)
{
    if (m_profundidade > 0) {
        m_pendentes.insert(tabela);
        return;
    }
    emit TabelaAlterada(tabela);
}

bool Tfdados::iniciaTransacao(QString *ponto)
{
    *ponto = QStringLiteral("vyrax_%1").arg(++m_pontos);
    if (!Executa(QStringLiteral("SAVEPOINT ") + *ponto))
        return false;
    ++m_profundidade;
    return true;
}

bool Tfdados::terminaTransacao(const QString &ponto, bool confirma)
{
    bool ok = confirma && Executa(QStringLiteral("RELEASE ") + ponto);
    if (!ok) {
        const QString erro = m_erro;
        Executa(QStringLiteral("ROLLBACK TO ") + ponto);
        Executa(QStringLiteral("RELEASE ") + ponto);
        m_erro = erro;
    }
    if (--m_profundidade == 0) {
        const QSet<QString> pendentes = std::exchange(m_pendentes, {});
        for (const QString &t : pendentes)
            emit TabelaAlterada(t);
    }
    return ok;
}

Transacao::Transacao(Tfdados &dados)
    : m_dados(dados)
{
    m_ativa = m_dados.iniciaTransacao(&m_ponto);
}

Transacao::~Transacao()
{
    if (m_ativa)
        m_dados.terminaTransacao(m_ponto, false);
}

bool Transacao::Confirma()
{
    if (!m_ativa)
        return false;
    m_ativa = false;
    return m_dados.terminaTransacao(m_ponto, true);
}

// Rows are bound straight into SQLite's own prepared statement: binding
// through QSqlQuery costs some 40 us a row, too slow for 144000 samples.
struct Insercao::Preparada {
    sqlite3 *banco = nullptr;
    sqlite3_stmt *comando = nullptr;
    ~Preparada() { sqlite3_finalize(comando); }
};

Insercao::Insercao(Tfdados &dados, const QString &tabela)
    : m_dados(dados)
    , m_tabela(esquema::Procura(tabela))
{
    if (!m_tabela) {
        m_erro = QStringLiteral("A tabela %1 não existe.").arg(tabela);
        return;
    }
    sqlite3 *banco = sqlite::Conexao(dados.Banco());
    if (!banco) {
        m_erro = QStringLiteral("Não foi possível gravar em %1: o banco de dados está fechado.").arg(m_tabela->nome);
        return;
    }
    QStringList colunas, marcas;
    for (const esquema::Campo &c : m_tabela->campos) {
        colunas << Aspas(c.nome);
        marcas << QStringLiteral("?");
    }
    const QByteArray sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(Aspas(m_tabela->nome), colunas.join(','), marcas.join(','))
                               .toUtf8();
    auto preparada = std::make_unique<Preparada>();
    preparada->banco = banco;
    if (sqlite3_prepare_v2(banco, sql.constData(), int(sql.size()), &preparada->comando, nullptr) != SQLITE_OK) {
        m_erro = QStringLiteral("Não foi possível gravar em %1: %2")
                     .arg(m_tabela->nome, QString::fromUtf8(sqlite3_errmsg(banco)));
        return;
    }
    m_preparada = std::move(preparada);
}

Insercao::~Insercao()
{
    m_preparada.reset();
    if (m_escreveu)
        m_dados.Alterada(m_tabela->nome);
}

Registro Insercao::NovaLinha() const { return m_tabela ? Registro(*m_tabela) : Registro(); }

qint64 Insercao::Insere(const Registro &linha)
{
    if (!m_preparada)
        return -1;
    if (linha.Tabela() != m_tabela) {
        m_erro = QStringLiteral("O registro não é da tabela %1.").arg(m_tabela->nome);
        return -1;
    }
    sqlite3_stmt *comando = m_preparada->comando;
    sqlite3_reset(comando);
    const QVariantList &valores = linha.Valores();
    for (int i = 0; i < m_tabela->campos.size(); ++i)
        sqlite::Liga(comando, i + 1, m_tabela->campos[i], valores[i]);
    if (sqlite3_step(comando) != SQLITE_DONE) {
        m_erro = QStringLiteral("Não foi possível gravar em %1: %2")
                     .arg(m_tabela->nome, QString::fromUtf8(sqlite3_errmsg(m_preparada->banco)));
        sqlite3_reset(comando);
        return -1;
    }
    m_escreveu = true;
    return sqlite3_last_insert_rowid(m_preparada->banco);
}

GravacaoAvaliacao::GravacaoAvaliacao(Tfdados &dados)
    : m_dados(dados)
    , m_transacao(dados)
    , m_cabecalho(std::make_unique<Insercao>(dados, QStringLiteral("TBresultados")))
    , m_amostras(std::make_unique<Insercao>(dados, QStringLiteral("TBdados")))
    , m_repeticoes(std::make_unique<Insercao>(dados, QStringLiteral("TBrepeticao")))
    , m_deficit(std::make_unique<Insercao>(dados, QStringLiteral("TBdeficit")))
{
    if (!m_transacao.Ativa())
        m_erro = dados.Erro();
    for (const Insercao *i : {m_cabecalho.get(), m_amostras.get(), m_repeticoes.get(), m_deficit.get()})
        if (m_erro.isEmpty() && !i->Erro().isEmpty())
            m_erro = i->Erro();
}

GravacaoAvaliacao::~GravacaoAvaliacao() = default;

Registro GravacaoAvaliacao::NovoCabecalho() { return Registro(*esquema::Procura(QStringLiteral("TBresultados"))); }
Registro GravacaoAvaliacao::NovaAmostra() { return Registro(*esquema::Procura(QStringLiteral("TBdados"))); }
Registro GravacaoAvaliacao::NovaRepeticao() { return Registro(*esquema::Procura(QStringLiteral("TBrepeticao"))); }
Registro GravacaoAvaliacao::NovoDeficit() { return Registro(*esquema::Procura(QStringLiteral("TBdeficit"))); }

bool GravacaoAvaliacao::grava(Insercao *insercao, const Registro &linha)
{
    if (Falhou())
        return false;
    if (!insercao) {
        m_erro = QStringLiteral("A gravação da avaliação já foi concluída.");
        return false;
    }
    if (insercao->Insere(linha) >= 0)
        return true;
    m_erro = insercao->Erro();
    return false;
}

bool GravacaoAvaliacao::Confirma()
{
    if (Falhou())
        return false;
    // The statements go before the commit, so that the grids hear of the new rows once, after it.
    m_cabecalho.reset();
    m_amostras.reset();
    m_repeticoes.reset();
    m_deficit.reset();
    if (m_transacao.Confirma())
        return true;
    m_erro = QStringLiteral("Não foi possível concluir a gravação da avaliação: %1").arg(m_dados.Erro());
    return false;
}
