#pragma once
// The main window's "&Avaliados" and "&Grupos" open the person and group
// registries, with the main window's modal-window pattern around them;
// "&Nova" opens the new-evaluation window.

class Mensagens;
class Tfdados;
class TfPrincipal;

void LigaCadastros(TfPrincipal &principal, Tfdados &dados, Mensagens &mensagens);

// "&Nova" opens the new-evaluation window for the next evaluation number.
// The evaluation itself is started from its confirmation once the live
// evaluation is wired in; until then the window's choices are kept in the
// settings and the main window gets its commands back.
void LigaNovaAvaliacao(TfPrincipal &principal, Tfdados &dados, Mensagens &mensagens);
