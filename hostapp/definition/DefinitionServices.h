// The "ModuleDefinition/..." and "ProcessDefinition/..." host functions, all
// backed by one process-wide DefinitionRecorder. The loader takes what a
// module defined right after the module's initialisation.
// Thread-safe: every access holds the recorder's lock.
#ifndef TRVX_HOSTAPP_DEFINITION_DEFINITIONSERVICES_H
#define TRVX_HOSTAPP_DEFINITION_DEFINITIONSERVICES_H

#include "hostapp/definition/Definitions.h"

namespace hostapp {

// Moves out everything recorded since the last take or reset and closes any
// open definition context.
ModuleDefinition TakeRecordedDefinitions();

// A copy of what has been recorded so far (tests).
ModuleDefinition RecordedDefinitions();

// Forgets what was recorded and closes any open context.
void ResetRecordedDefinitions();

// True while a module or process definition context is open.
bool DefinitionContextOpen();

}  // namespace hostapp

#endif
