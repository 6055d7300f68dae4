#include "editor/APluginEditor.h"

APluginEditor::APluginEditor(APlugin* plugin) : AEffEditor(plugin) {}
