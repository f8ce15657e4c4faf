#pragma once
// The main window's "&Avaliados" and "&Grupos" open the person and group
// registries, with the main window's modal-window pattern around them.

class Mensagens;
class Tfdados;
class TfPrincipal;

void LigaCadastros(TfPrincipal &principal, Tfdados &dados, Mensagens &mensagens);
