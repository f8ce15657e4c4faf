#pragma once
// A fresh database made as "vyrax-cli init" makes it, a settings folder of
// its own and the scripted message boxes, for each test.

#include "EsquemaBanco.h"
#include "MensagensRoteiro.h"
#include "RegistroIni.h"
#include "Tfdados.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

struct AmbienteTeste {
    QTemporaryDir pasta;
    std::unique_ptr<Tfdados> dados;
    MensagensRoteiro mensagens;

    AmbienteTeste()
    {
        qputenv("VYRAX_CONFIG_DIR", pasta.filePath(QStringLiteral("config")).toUtf8());
        QString erro;
        if (!esquema::CriaBanco(pasta.filePath(Tfdados::NomeArquivo), &erro))
            qFatal("%s", qPrintable(erro));
        dados = std::make_unique<Tfdados>(pasta.path());
        if (!dados->BancoOK())
            qFatal("%s", qPrintable(dados->Erro()));
    }
    ~AmbienteTeste() { qunsetenv("VYRAX_CONFIG_DIR"); }

    static RegistroIni Configuracao() { return RegistroIni(QStringLiteral("Morvek.Vyrax")); }
    static QString Ajuste(const QString &nome)
    {
        return Configuracao().ReadString(QStringLiteral("Dados"), nome, QStringLiteral("<nada>"));
    }

    // A row written straight into a table, as if typed long ago.
    void Insere(const QString &tabela, const QVariantMap &campos)
    {
        TabelaDados &t = *dados->Tabela(tabela);
        QVERIFY(t.Append());
        for (auto it = campos.cbegin(); it != campos.cend(); ++it)
            QVERIFY2(t.SetCampo(it.key(), it.value()), qPrintable(t.Erro()));
        QVERIFY2(t.Post(), qPrintable(t.Erro()));
    }
};

// Runs `passo` on the modal window that the next action opens, once it shows.
inline void NaJanelaModal(std::function<void(QDialog *)> passo)
{
    QTimer::singleShot(0, [passo] {
        auto *janela = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!janela)
            qFatal("nenhuma janela modal aberta");
        passo(janela);
    });
}

inline QLineEdit *Campo(QWidget *janela, const char *nome)
{
    auto *campo = janela->findChild<QLineEdit *>(QLatin1String(nome));
    if (!campo)
        qFatal("campo %s não existe", nome);
    return campo;
}

inline void Clica(QWidget *janela, const char *nome)
{
    auto *botao = janela->findChild<QAbstractButton *>(QLatin1String(nome));
    if (!botao)
        qFatal("botão %s não existe", nome);
    botao->click();
}
