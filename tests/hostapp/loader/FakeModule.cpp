#include "FakeModule.h"

#include <stdexcept>

#include "hostapp/definition/DefinitionServices.h"

namespace fake {

namespace {

// Descriptor objects: their addresses are the handles given to the host.
int s_process, s_items, s_name, s_weight, s_label, s_enabled, s_frozen, s_gain;
int s_live = 0;

std::string Name(api_handle p) {
  if (p == &s_items) return "items";
  if (p == &s_name) return "name";
  if (p == &s_weight) return "weight";
  if (p == &s_label) return "label";
  if (p == &s_enabled) return "enabled";
  if (p == &s_frozen) return "frozen";
  if (p == &s_gain) return "gain";
  return "?";
}

std::string Cell(api_handle p, api_size row) {
  std::string n = Name(p);
  if (p == &s_name || p == &s_weight) n += "[" + std::to_string(row) + "]";
  return n;
}

Instance* I(api_handle h) { return static_cast<Instance*>(h); }

// Parameter routines
void* Lock(api_handle inst, api_handle p, api_size row) {
  Log().push_back("lock " + Cell(p, row));
  Instance* i = I(inst);
  if (p == &s_name) return i->rows[row].name.empty() ? nullptr : i->rows[row].name.data();
  if (p == &s_weight) return &i->rows[row].weight;
  if (p == &s_label) return i->label.empty() ? nullptr : i->label.data();
  if (p == &s_enabled) return &i->enabled;
  if (p == &s_frozen) return &i->frozen;
  if (p == &s_gain) return &i->gain;
  return nullptr;
}

void Unlock(api_handle, api_handle p, api_size row) { Log().push_back("unlock " + Cell(p, row)); }

api_bool Allocate(api_size n, api_handle inst, api_handle p, api_size row) {
  Log().push_back("allocate " + Cell(p, row) + " " + std::to_string(n));
  Instance* i = I(inst);
  if (p == &s_items) {
    i->rows.assign(n, Row());
    return 1;
  }
  if (p == &s_name) {
    i->rows[row].name.assign(n, u'#');
    return 1;
  }
  if (p == &s_label) {
    if (n > 40) return 0;  // the fake's storage limit, to test refusals
    i->label.assign(n, u'#');
    return 1;
  }
  return 0;
}

api_size Length(api_handle inst, api_handle p, api_size row) {
  Log().push_back("length " + Cell(p, row));
  Instance* i = I(inst);
  if (p == &s_items) return i->rows.size();
  if (p == &s_name) return i->rows[row].name.size();
  if (p == &s_label) return i->label.size();
  return 0;
}

api_bool ValidateGain(const void* value, api_handle, api_handle, api_size) {
  Log().push_back("validate gain");
  return *static_cast<const double*>(value) != 13.0;  // the fake dislikes 13
}

// Process routines
api_handle Create(api_handle process) {
  Log().push_back(process == &s_process ? "create" : "create with a wrong handle");
  ++s_live;
  return new Instance;
}
void Destroy(api_handle inst) {
  Log().push_back("destroy");
  --s_live;
  delete I(inst);
}
api_handle Clone(api_handle inst) {
  Log().push_back("clone");
  ++s_live;
  return new Instance(*I(inst));
}
api_bool SetServer(api_handle inst, api_handle server) {
  Log().push_back("server");
  I(inst)->server = server;
  return 1;
}
api_bool CanExecuteGlobal(api_handle inst, char16_t* message, uint32_t capacity) {
  Log().push_back("validate");
  if (!I(inst)->rows.empty()) return 1;
  const std::u16string reason = u"Nothing to do: no rows.";
  if (message != nullptr && capacity > 0) {
    size_t n = std::min<size_t>(reason.size(), capacity - 1);
    reason.copy(message, n);
    message[n] = 0;
  }
  return 0;
}
api_bool Before(api_handle inst) {
  Log().push_back("before");
  return I(inst)->beforeResult ? 1 : 0;
}
api_bool Execute(api_handle inst) {
  Log().push_back("execute");
  return I(inst)->executeResult ? 1 : 0;
}
void After(api_handle) { Log().push_back("after"); }

void Check(api_bool ok, const char* call) {
  if (ok == 0) throw std::runtime_error(std::string("host refused ") + call);
}

#define CALL(Group, Function, ...) Check(FAKE_HOST_FN(Group, Function)(__VA_ARGS__), #Function)

void Common(uint32_t version = 0, bool readOnly = false) {
  CALL(ProcessDefinition, SetParameterProcessVersionRange, version, version);
  CALL(ProcessDefinition, SetParameterRequired, 0);
  CALL(ProcessDefinition, SetParameterReadOnly, readOnly ? 1 : 0);
  CALL(ProcessDefinition, SetParameterLockRoutine, &Lock);
}

}  // namespace

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

int LiveInstances() { return s_live; }

hostapp::ModuleDefinition Define() {
  CALL(ModuleDefinition, EnterModuleDefinitionContext);
  CALL(ProcessDefinition, EnterProcessDefinitionContext);
  CALL(ProcessDefinition, BeginProcessDefinition, &s_process, "Fake");
  CALL(ProcessDefinition, SetProcessCategory, "Testing");
  CALL(ProcessDefinition, SetProcessVersion, 0x102);
  CALL(ProcessDefinition, SetProcessCreationRoutine, &Create);
  CALL(ProcessDefinition, SetProcessDestructionRoutine, &Destroy);
  CALL(ProcessDefinition, SetProcessClonationRoutine, &Clone);
  CALL(ProcessDefinition, SetProcessSetServerHandleRoutine, &SetServer);
  CALL(ProcessDefinition, SetProcessGlobalExecutionValidationRoutine, &CanExecuteGlobal);
  CALL(ProcessDefinition, SetProcessPreGlobalExecutionRoutine, &Before);
  CALL(ProcessDefinition, SetProcessGlobalExecutionRoutine, &Execute);
  CALL(ProcessDefinition, SetProcessPostGlobalExecutionRoutine, &After);

  CALL(ProcessDefinition, BeginParameterDefinition, &s_items, "items", API_PARTYPE_TABLE);
  Common();
  CALL(ProcessDefinition, SetParameterAllocationRoutine, &Allocate);
  CALL(ProcessDefinition, SetParameterLengthQueryRoutine, &Length);
  CALL(ProcessDefinition, BeginTableColumnDefinition, &s_name, "name", API_PARTYPE_STRING);
  Common();
  CALL(ProcessDefinition, SetParameterUnlockRoutine, &Unlock);
  CALL(ProcessDefinition, SetParameterAllocationRoutine, &Allocate);
  CALL(ProcessDefinition, SetParameterLengthQueryRoutine, &Length);
  CALL(ProcessDefinition, EndTableColumnDefinition);
  CALL(ProcessDefinition, BeginTableColumnDefinition, &s_weight, "weight", API_PARTYPE_DOUBLE);
  Common();
  CALL(ProcessDefinition, SetDefaultNumericValue, 0.0);
  CALL(ProcessDefinition, EndTableColumnDefinition);
  CALL(ProcessDefinition, SetTableRowLimits, 0, 3);
  CALL(ProcessDefinition, EndParameterDefinition);

  CALL(ProcessDefinition, BeginParameterDefinition, &s_label, "label", API_PARTYPE_STRING);
  Common();
  CALL(ProcessDefinition, SetParameterAllocationRoutine, &Allocate);
  CALL(ProcessDefinition, SetParameterLengthQueryRoutine, &Length);
  CALL(ProcessDefinition, SetDefaultStringValue, u"none");
  CALL(ProcessDefinition, SetStringAllowedCharacters, u"abcdefghijklmnopqrstuvwxyz#é€ ");
  CALL(ProcessDefinition, EndParameterDefinition);

  CALL(ProcessDefinition, BeginParameterDefinition, &s_enabled, "enabled", API_PARTYPE_BOOLEAN);
  Common();
  CALL(ProcessDefinition, SetDefaultBooleanValue, 1);
  CALL(ProcessDefinition, EndParameterDefinition);

  CALL(ProcessDefinition, BeginParameterDefinition, &s_frozen, "frozen", API_PARTYPE_BOOLEAN);
  Common(0, true);
  CALL(ProcessDefinition, SetDefaultBooleanValue, 1);
  CALL(ProcessDefinition, EndParameterDefinition);

  CALL(ProcessDefinition, BeginParameterDefinition, &s_gain, "gain", API_PARTYPE_DOUBLE);
  Common();
  CALL(ProcessDefinition, SetParameterValidationRoutine, &ValidateGain);
  CALL(ProcessDefinition, SetDefaultNumericValue, 2.5);
  CALL(ProcessDefinition, SetValidNumericRange, 0.0, 100.0);
  CALL(ProcessDefinition, SetPrecision, 3);
  CALL(ProcessDefinition, SetScientificNotation, 0);
  CALL(ProcessDefinition, EndParameterDefinition);

  CALL(ProcessDefinition, EndProcessDefinition);
  CALL(ProcessDefinition, ExitProcessDefinitionContext);
  CALL(ModuleDefinition, ExitModuleDefinitionContext);
  return hostapp::TakeRecordedDefinitions();
}

}  // namespace fake
