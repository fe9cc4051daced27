#include "framework/MetaParameter.h"

#include "core/Exception.h"
#include "framework/APIDefinition.h"
#include "framework/MetaProcess.h"
#include "framework/MetaTable.h"
#include "framework/ParameterContextDispatcher.h"

namespace px {

bool MetaParameter::inTableDefinition = false;

namespace {
MetaObject* RequireProcess(MetaProcess* process) {
  if (process == nullptr) throw Error("MetaParameter: Illegal null MetaProcess parent pointer");
  return process;
}
MetaObject* RequireTable(MetaTable* table) {
  if (table == nullptr) throw Error("MetaParameter: Illegal null MetaTable parent pointer");
  return table;
}
}  // namespace

MetaParameter::MetaParameter(MetaProcess* process) : MetaObject(RequireProcess(process)) {}

MetaParameter::MetaParameter(MetaTable* table) : MetaObject(RequireTable(table)) {}

api_handle MetaParameter::Handle() const {
  return static_cast<api_handle>(const_cast<MetaParameter*>(this));
}

void MetaParameter::PerformAPIDefinitions() const {
  using D = ParameterContextDispatcher;
  // A column's sequence runs inside its table's; the flag stays as the table set it.
  const bool column = inTableDefinition;

  if (column)
    TRVX_DEFINE(ProcessDefinition, BeginTableColumnDefinition, Handle(), Id().c_str(), APIParType());
  else
    TRVX_DEFINE(ProcessDefinition, BeginParameterDefinition, Handle(), Id().c_str(), APIParType());

  TRVX_DEFINE(ProcessDefinition, SetParameterProcessVersionRange, FirstProcessVersion(),
              LastProcessVersion());
  TRVX_DEFINE(ProcessDefinition, SetParameterRequired, IsRequired() ? 1 : 0);
  TRVX_DEFINE(ProcessDefinition, SetParameterReadOnly, IsReadOnly() ? 1 : 0);

  IsoString aliases = Aliases().Trimmed();
  if (!aliases.IsEmpty())
    TRVX_DEFINE(ProcessDefinition, SetParameterAliasIdentifiers, aliases.c_str());
  String description = Description();
  if (!description.IsEmpty())
    TRVX_DEFINE(ProcessDefinition, SetParameterDescription, description.c_str());
  String comment = Comment();
  if (!comment.IsEmpty())
    TRVX_DEFINE(ProcessDefinition, SetParameterScriptComment, comment.c_str());

  TRVX_DEFINE(ProcessDefinition, SetParameterLockRoutine, &D::Lock);
  if (NeedsUnlocking()) TRVX_DEFINE(ProcessDefinition, SetParameterUnlockRoutine, &D::Unlock);
  if (NeedsValidation())
    TRVX_DEFINE(ProcessDefinition, SetParameterValidationRoutine, &D::Validate);
  if (IsVariableLength()) {
    TRVX_DEFINE(ProcessDefinition, SetParameterAllocationRoutine, &D::Allocate);
    TRVX_DEFINE(ProcessDefinition, SetParameterLengthQueryRoutine, &D::Length);
  }

  PerformTypeAPIDefinitions();

  if (column)
    TRVX_DEFINE(ProcessDefinition, EndTableColumnDefinition);
  else
    TRVX_DEFINE(ProcessDefinition, EndParameterDefinition);
}

}  // namespace px
