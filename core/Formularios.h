#pragma once

class QWidget;

// The common set-up of a data-entry form at its load: the framework's icon,
// the library's preparation, the look of its toolbars (property "StyleBar" of
// the children named "VrUtil1", "TBarRep1" and "Util0011" set to
// FlatToolbars), then one turn of the event pump. Every step that fails is
// skipped without a word.
void InicializaFormulario(QWidget* Formulario);
