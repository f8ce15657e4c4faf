#pragma once
// A force recording for the demonstration and the replay: one value in kgf
// per line, decimal comma or point. The first empty line, or the end of the
// text, ends it; a line of blanks replays as the batch entry it lands on
// holds (NaN here).

#include <QByteArray>
#include <vector>

struct Gravacao {
    std::vector<double> valores;
    int linhaInvalida = 0; // 1-based number of the first line that is not a number; 0 when all are
};

Gravacao LeGravacao(const QByteArray &texto);
