#pragma once
// The settings store of both programs: one INI file per program key
// ("Morvek.Vyrax", "Morvek.Protocolo") in the user's configuration folder.
//
// Like the registry it replaces, the store is opened, used and dropped for
// each access: the file is read when a RegistroIni is made and every write
// goes to disk at once, so a value written by one window is seen by the next
// window that opens the store. Every value is text; numbers carry the decimal
// comma.

#include <QMap>
#include <QStringList>
#include <QString>

class RegistroIni {
public:
    // The store of a program key, in PastaConfiguracao().
    explicit RegistroIni(const QString &chave);
    // A store held in an explicit file (a replay configuration, tests).
    static RegistroIni DoArquivo(const QString &caminho);

    // Folder of the settings files: $VYRAX_CONFIG_DIR when set (tests,
    // portable installs), else $XDG_CONFIG_HOME/morvek, else ~/.config/morvek.
    static QString PastaConfiguracao();

    QString Arquivo() const { return m_arquivo; }

    QString ReadString(const QString &secao, const QString &nome, const QString &padrao) const;
    // The stored text as a decimal integer; the default when missing or not an integer.
    long long ReadInteger(const QString &secao, const QString &nome, long long padrao) const;
    // Read as an integer with default 0 or 1; true when not 0.
    bool ReadBool(const QString &secao, const QString &nome, bool padrao) const;
    bool ValueExists(const QString &secao, const QString &nome) const;

    // Each write replaces the value and saves the file at once. False when the
    // file could not be written (full disk, no permission): see UltimoErro().
    bool WriteString(const QString &secao, const QString &nome, const QString &valor);
    bool WriteInteger(const QString &secao, const QString &nome, long long valor);
    bool WriteBool(const QString &secao, const QString &nome, bool valor);

    QString UltimoErro() const { return m_erro; }

private:
    struct SemArquivo {};
    RegistroIni(SemArquivo, const QString &caminho);
    void carrega();
    bool salva();

    QString m_arquivo;
    QMap<QString, QMap<QString, QString>> m_secoes;
    QStringList m_ordemSecoes;
    QString m_erro;
};

// The main program's store and the section most of its settings live in.
inline const QString ChaveVyrax = QStringLiteral("Morvek.Vyrax");
inline const QString SecaoDados = QStringLiteral("Dados");

// Reads a decimal setting stored as text; when the text is not a number the
// default text is written back and read again (the start-up repair).
double LeDecimalReparando(RegistroIni &registro, const QString &secao, const QString &nome,
                          const QString &padrao);
