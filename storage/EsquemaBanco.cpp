#include "EsquemaBanco.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace esquema {

int Tabela::Indice(const QString &campo) const
{
    // Names are nearly always spelled as declared: look them up before lowering.
    const auto exato = indices.constFind(campo);
    if (exato != indices.cend())
        return *exato;
    return indices.value(campo.toLower(), -1);
}

const Campo *Tabela::Procura(const QString &campo) const
{
    const int i = Indice(campo);
    return i < 0 ? nullptr : &campos[i];
}

QStringList Tabela::NomesCampos() const
{
    QStringList nomes;
    for (const Campo &c : campos)
        nomes << c.nome;
    return nomes;
}

namespace {

const QString TresDecimais = QStringLiteral("####0.000");

// A text field declared without a size holds 20 characters.
Campo texto(const QString &nome, int tamanho = 20) { return {nome, Tipo::Texto, tamanho, {}}; }
Campo inteiro(const QString &nome) { return {nome, Tipo::Inteiro, 0, {}}; }
Campo data(const QString &nome) { return {nome, Tipo::Data, 0, {}}; }
Campo decimal(const QString &nome, const QString &formato = {}) { return {nome, Tipo::Decimal, 0, formato}; }

void decimais(QList<Campo> &campos, const QStringList &nomes, const QString &formato = {})
{
    for (const QString &n : nomes)
        campos << decimal(n, formato);
}

Tabela monta(const QString &nome, const QString &chave, bool detalhe, QList<Campo> campos)
{
    Tabela t{nome, chave, detalhe, std::move(campos), {}};
    for (int i = 0; i < t.campos.size(); ++i) {
        t.indices.insert(t.campos[i].nome, i);
        t.indices.insert(t.campos[i].nome.toLower(), i);
    }
    return t;
}

Tabela resultados()
{
    QList<Campo> c{inteiro("Avaliacao"),  texto("Tipo_do_Teste", 50), texto("Avaliado", 50),
                   texto("Apelido", 50),   texto("Modalidade", 50),    texto("Posicao", 50),
                   texto("Grupo", 50),     texto("Temporada", 50),     texto("Articulacao", 50),
                   data("Data"),           inteiro("Idade"),           texto("Sexo", 10),
                   decimal("Peso"),        texto("Avaliador", 50),     texto("Esquema", 10),
                   texto("Exercicio", 5),  texto("Agonica"),           texto("Antagonica"),
                   texto("L1"),            texto("L2"),                texto("Obs", 255),
                   texto("Lateral", 30),   texto("Equipamento", 30),   texto("Alavanca", 30),
                   texto("Transdutor", 30), texto("Angulo", 30)};
    return monta("TBresultados", "Avaliacao", false, c);
}

// The 24 force and torque values of a sample with their maxima and means,
// in the stored order: KGF, KGF_MAX, KGF_MED, N, N_MAX, ...
QStringList valoresAmostra()
{
    QStringList nomes;
    for (const char *g : {"KGF", "N", "KGF/KG", "N/KG", "KGFM", "NM", "KGFM/KG", "NM/KG"})
        nomes << QString::fromLatin1(g) << QString::fromLatin1(g) + "_MAX" << QString::fromLatin1(g) + "_MED";
    return nomes;
}

Tabela dados()
{
    QList<Campo> c;
    decimais(c, {"Avaliacao", "Am_Geral", "Am_Ciclo", "Am_Contracao", "Ciclo", "Contracao_Numero"});
    c << texto("Contracao_Texto", 25) << texto("Lateral", 25);
    decimais(c, {"Intervalo", "Contracao_Valida", "Angulo"});
    c << texto("Articulacao", 25) << texto("Equipamento", 25) << texto("Transdutor", 25);
    decimais(c, {"Tempo_Total", "Tempo_Amostra", "Tempo_Contracao"});
    c << texto("Pulso", 10);
    decimais(c, valoresAmostra(), TresDecimais);
    decimais(c, {"Amostra_Forca_Maxima", "Tempo_Forca_Maxima", "Duracao_Contracao"});
    c << texto("Esquema", 10);
    return monta("TBdados", {}, true, c);
}

Tabela repeticao()
{
    QList<Campo> c;
    decimais(c, {"Avaliacao", "Am_Geral", "Ciclo", "Contracao"});
    c << texto("Contracao_Texto") << texto("Lateral");
    for (const char *sufixo : {"_MAX", "_MED"})
        for (const char *g : {"KGF", "N", "KGFM", "NM", "KGFKG", "NKG", "KGFMKG", "NMKG"})
            c << decimal(QString::fromLatin1(g) + sufixo, TresDecimais);
    decimais(c, {"TEMPO_FORCA_MAX", "DURACAO_CONTRACAO"});
    c << texto("Esquema", 10);
    return monta("TBrepeticao", {}, true, c);
}

Tabela deficit()
{
    QList<Campo> c;
    decimais(c, {"Avaliacao", "Cont"});
    c << texto("Lateral", 25) << texto("Contracao", 25);
    decimais(c,
             {"FMaxKgf", "FMaxNm", "FInicialKgf", "FInicialNm", "FFinalKgf", "FFinalNm", "IndiceFadiga",
              "RelAgAn", "RelAnAg", "RelMaxAgDirMaxAgEsq", "RelMaxAgEsqMaxAgDir", "RelMaxAnDirMaxAnEsq",
              "RelMaxAnEsqMaxAnDir"},
             TresDecimais);
    return monta("TBdeficit", {}, true, c);
}

Tabela equipamentos()
{
    QList<Campo> c{decimal("Cod"), texto("Equipamento", 50)};
    for (const char *grupo : {"Cal", "Sp", "Cp", "C", "Vz", "T"})
        for (int n = 1; n <= 7; ++n)
            c << decimal(QString::fromLatin1(grupo) + QString::number(n));
    return monta("TBeqp", "Cod", false, c);
}

Tabela relatorioAbsoluto(const QString &nome)
{
    QList<Campo> c{decimal("Ciclo")};
    decimais(c, {"KGF_MAX", "KGF_MED", "N_MAX", "N_MED", "KGFM_MAX", "KGFM_MED", "NM_MAX", "NM_MED", "TEMPO_F_MAX"},
             TresDecimais);
    c << texto("Articulacao", 30) << texto("Lateral", 30) << texto("Contracao_Texto", 30) << texto("Esquema", 10)
      << decimal("Contracao_Numero");
    return monta(nome, {}, false, c);
}

Tabela relatorioPorPeso(const QString &nome)
{
    QList<Campo> c{decimal("Ciclo")};
    decimais(c,
             {"KGFKG_MAX", "KGFKG_MED", "NKG_MAX", "NKG_MED", "KGFMKG_MAX", "KGFMKG_MED", "NMKG_MAX", "NMKG_MED",
              "DURACAO"},
             TresDecimais);
    c << texto("Articulacao", 30) << texto("Lateral", 30) << texto("Contracao_Texto", 30)
      << decimal("Contracao_Numero") << texto("Esquema", 30);
    return monta(nome, {}, false, c);
}

QList<Tabela> montaTabelas()
{
    return {
        resultados(),
        dados(),
        monta("TBavaliados", "Avaliado", false,
              {inteiro("Avaliado"), texto("NomeAval", 50), texto("Apelido", 15), data("Nascimento"), texto("Sexo", 1),
               texto("Modalidade", 50), texto("Posicao", 50), texto("Observacao", 50)}),
        monta("TBgrupos", "Grupo", false,
              {inteiro("Grupo"), texto("Nome", 50), texto("Temporada", 50), texto("Observacao", 50)}),
        monta("TBtrans", "Cod", false, {decimal("Cod"), texto("Transdutor", 50)}),
        equipamentos(),
        monta("TBartc", "Cod", false, {texto("Articulacao", 50), decimal("Cod")}),
        monta("TBcontracao", "Cod", false, {decimal("Cod"), texto("PrimeiraAgo", 16), texto("SegundaAnt", 16)}),
        repeticao(),
        deficit(),
        relatorioAbsoluto("rep1"),
        relatorioAbsoluto("rep2"),
        relatorioAbsoluto("rep3"),
        relatorioAbsoluto("rep4"),
        relatorioPorPeso("rep11"),
        relatorioPorPeso("rep22"),
        relatorioPorPeso("rep33"),
        relatorioPorPeso("rep44"),
    };
}

QString tipoSql(const Campo &c)
{
    switch (c.tipo) {
    case Tipo::Inteiro:
        return QStringLiteral("INTEGER");
    case Tipo::Decimal:
        return QStringLiteral("REAL");
    case Tipo::Data:
        return QStringLiteral("DATE");
    case Tipo::Texto:
        return QStringLiteral("VARCHAR(%1)").arg(c.tamanho);
    }
    return {};
}

QString criaTabela(const Tabela &t)
{
    QStringList colunas;
    for (const Campo &c : t.campos) {
        QString coluna = Aspas(c.nome) + ' ' + tipoSql(c);
        // Keys are always given by the writer (last + 1); detail rows always name their evaluation.
        if (c.nome == t.chave)
            coluna += QStringLiteral(" NOT NULL UNIQUE");
        else if (t.detalhe && c.nome == QLatin1String("Avaliacao"))
            coluna += QStringLiteral(" NOT NULL");
        colunas << coluna;
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(Aspas(t.nome), colunas.join(QStringLiteral(", ")));
}

} // namespace

const QList<Tabela> &Tabelas()
{
    static const QList<Tabela> tabelas = montaTabelas();
    return tabelas;
}

const Tabela *Procura(const QString &nome)
{
    for (const Tabela &t : Tabelas())
        if (t.nome.compare(nome, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QString Aspas(const QString &identificador)
{
    QString dentro = identificador;
    dentro.replace('"', QStringLiteral("\"\""));
    return '"' + dentro + '"';
}

QString ClausulaOrdem(const Tabela &tabela, const QStringList &campos)
{
    QStringList ordem;
    for (const QString &campo : campos.isEmpty() && !tabela.chave.isEmpty() ? QStringList{tabela.chave} : campos)
        ordem << Aspas(campo);
    ordem << QStringLiteral("rowid");
    return QStringLiteral(" ORDER BY ") + ordem.join(QStringLiteral(", "));
}

QStringList ComandosCriacao()
{
    QStringList comandos{QStringLiteral("PRAGMA application_id = %1").arg(IdAplicacao),
                         QStringLiteral("PRAGMA user_version = %1").arg(Versao)};
    for (const Tabela &t : Tabelas()) {
        comandos << criaTabela(t);
        if (t.detalhe)
            comandos << QStringLiteral("CREATE INDEX %1 ON %2 (\"Avaliacao\")")
                            .arg(Aspas(t.nome + "_Avaliacao"), Aspas(t.nome));
    }
    comandos << QStringLiteral("CREATE TABLE %1 (\"Versao\" INTEGER NOT NULL, \"Criacao\" VARCHAR(30))")
                    .arg(Aspas(TabelaVersao))
             << QStringLiteral("INSERT INTO %1 VALUES (%2, '%3')")
                    .arg(Aspas(TabelaVersao))
                    .arg(Versao)
                    .arg(QDateTime::currentDateTimeUtc().toString(Qt::ISODate))
             << QStringLiteral("INSERT INTO \"TBgrupos\" (\"Grupo\", \"Nome\") VALUES (0, 'INDIVIDUAL')");
    return comandos;
}

bool CriaBanco(const QString &arquivo, QString *erro)
{
    auto falha = [&](const QString &texto) {
        if (erro)
            *erro = texto;
        return false;
    };
    const QFileInfo info(arquivo);
    if (info.exists())
        return falha(QStringLiteral("O banco de dados %1 já existe; nada foi alterado.").arg(arquivo));
    if (!QDir().mkpath(info.absolutePath()))
        return falha(QStringLiteral("Não foi possível criar a pasta %1.").arg(info.absolutePath()));

    const QString conexao = QStringLiteral("vyrax-criacao-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString problema;
    {
        QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conexao);
        banco.setDatabaseName(info.absoluteFilePath());
        if (!banco.open()) {
            problema = banco.lastError().text();
        } else {
            QSqlQuery q(banco);
            // One transaction: a failure leaves no half-made schema behind.
            banco.transaction();
            for (const QString &comando : ComandosCriacao()) {
                if (!q.exec(comando)) {
                    problema = q.lastError().text();
                    break;
                }
            }
            if (problema.isEmpty() && !banco.commit())
                problema = banco.lastError().text();
            if (!problema.isEmpty())
                banco.rollback();
            q.finish();
            banco.close();
        }
    }
    QSqlDatabase::removeDatabase(conexao);
    if (problema.isEmpty())
        return true;
    QFile::remove(info.absoluteFilePath());
    return falha(QStringLiteral("Não foi possível criar o banco de dados %1: %2").arg(arquivo, problema));
}

} // namespace esquema
