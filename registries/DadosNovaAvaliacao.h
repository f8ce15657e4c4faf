#pragma once
// What the new-evaluation window hands to the evaluation when it closes with
// OK: the texts as the window showed them, and the sport and position of the
// person chosen. The save writes them into the evaluation's header row.

#include <QString>

struct DadosNovaAvaliacao {
    QString peso;        // shortest text of the weight: "72,5"
    QString apelido;
    QString nome;
    QString avaliador;
    QString grupo;
    QString temporada;
    QString idade;
    QString sexo;
    QString exercicio;
    QString obs;
    QString posicao;
    QString modalidade;
};
