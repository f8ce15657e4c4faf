#pragma once
// Settings of the catalogue and new-evaluation windows: each access opens
// the program's store, reads or writes, and lets it go.

#include "RegistroIni.h"

inline RegistroIni ConfiguracaoVyrax()
{
    return RegistroIni(ChaveVyrax);
}
