#include "MensagensRoteiro.h"

QStringList MensagensRoteiro::TextosDasCaixas() const
{
    QStringList textos;
    for (const Exibida &exibida : m_exibidas)
        if (exibida.tipo == Tipo::Caixa)
            textos << exibida.texto;
    return textos;
}

Botao MensagensRoteiro::Caixa(QWidget *, const QString &titulo, const QString &texto, Icone icone,
                              Botoes botoes)
{
    m_exibidas.append({Tipo::Caixa, titulo, texto, icone, botoes, {}});
    return m_botoes.isEmpty() ? BotaoDeEscape(botoes) : m_botoes.dequeue();
}

QString MensagensRoteiro::Entrada(QWidget *, const QString &titulo, const QString &rotulo,
                                  const QString &padrao)
{
    m_exibidas.append({Tipo::Entrada, titulo, rotulo, Icone::Nenhum, Botoes::OkCancel, padrao});
    return m_textos.isEmpty() ? padrao : m_textos.dequeue();
}

QString MensagensRoteiro::AbrirArquivo(QWidget *, const QString &titulo, const QString &filtro,
                                       const QString &sugerido)
{
    return Arquivo(Tipo::AbrirArquivo, titulo, filtro, sugerido);
}

QString MensagensRoteiro::SalvarArquivo(QWidget *, const QString &titulo, const QString &filtro,
                                        const QString &sugerido)
{
    return Arquivo(Tipo::SalvarArquivo, titulo, filtro, sugerido);
}

QString MensagensRoteiro::Arquivo(Tipo tipo, const QString &titulo, const QString &filtro,
                                  const QString &sugerido)
{
    m_exibidas.append({tipo, titulo, filtro, Icone::Nenhum, Botoes::OkCancel, sugerido});
    return m_arquivos.isEmpty() ? QString() : m_arquivos.dequeue();
}
