#include "framework/MetaProcess.h"

#include "core/Exception.h"
#include "framework/APIDefinition.h"
#include "framework/MetaModule.h"
#include "framework/MetaParameter.h"
#include "framework/ProcessContextDispatcher.h"

namespace px {

namespace {
MetaObject* RequireModule() {
  if (Module == nullptr)
    throw Error("MetaProcess: Module not initialized - illegal MetaProcess instantiation.");
  return Module;
}
}  // namespace

MetaProcess::MetaProcess() : MetaObject(RequireModule()) {}

api_handle MetaProcess::Handle() const {
  return static_cast<api_handle>(const_cast<MetaProcess*>(this));
}

const MetaParameter* MetaProcess::Parameter(size_t i) const {
  auto* parameter = dynamic_cast<const MetaParameter*>((*this)[i]);
  if (parameter == nullptr) throw Error("MetaProcess: invalid non-parameter child instance");
  return parameter;
}

void MetaProcess::NotReimplemented(const char* operation) const {
  throw Error(String(Id()) + ": MetaProcess::" + operation +
              "() must be reimplemented in descendant class.");
}

int MetaProcess::ProcessCommandLine(const std::vector<String>&) const {
  NotReimplemented("ProcessCommandLine");
}

bool MetaProcess::EditPreferences() const { NotReimplemented("EditPreferences"); }

bool MetaProcess::BrowseDocumentation() const {
  return API->Global.BrowseProcessDocumentation(Handle(), 0) != 0;
}

bool MetaProcess::IPCStart(uint32_t, const IsoString&, const String&) const {
  NotReimplemented("IPCStart");
}

bool MetaProcess::IPCStop(uint32_t, const IsoString&) const { NotReimplemented("IPCStop"); }

bool MetaProcess::IPCSetParameters(uint32_t, const IsoString&, const String&) const {
  NotReimplemented("IPCSetParameters");
}

int MetaProcess::IPCStatus(uint32_t, const IsoString&) const { NotReimplemented("IPCStatus"); }

void MetaProcess::PerformAPIDefinitions() const {
  using D = ProcessContextDispatcher;

  TRVX_DEFINE(ProcessDefinition, EnterProcessDefinitionContext);
  TRVX_DEFINE(ProcessDefinition, BeginProcessDefinition, Handle(), Id().c_str());

  IsoString categories = Categories();
  if (!categories.IsEmpty()) {
    TRVX_DEFINE(ProcessDefinition, SetProcessCategory, categories.c_str());
  } else {
    IsoString category = Category();
    if (!category.IsEmpty()) TRVX_DEFINE(ProcessDefinition, SetProcessCategory, category.c_str());
  }
  TRVX_DEFINE(ProcessDefinition, SetProcessVersion, Version());

  IsoString aliases = Aliases().Trimmed();
  if (!aliases.IsEmpty()) TRVX_DEFINE(ProcessDefinition, SetProcessAliasIdentifiers, aliases.c_str());
  String description = Description();
  if (!description.IsEmpty())
    TRVX_DEFINE(ProcessDefinition, SetProcessDescription, description.c_str());
  String comment = ScriptComment();
  if (!comment.IsEmpty()) TRVX_DEFINE(ProcessDefinition, SetProcessScriptComment, comment.c_str());

  // Icon: the first source present wins; bitmaps come as a pair.
  IsoString svg = IconImageSVG();
  String svgFile = IconImageSVGFile();
  if (!svg.IsEmpty()) {
    TRVX_DEFINE(ProcessDefinition, SetProcessIconSVG, svg.c_str());
  } else if (!svgFile.IsEmpty()) {
    TRVX_DEFINE(ProcessDefinition, SetProcessIconSVGFile, svgFile.c_str());
  } else {
    if (const char** xpm = IconImageXPM()) {
      TRVX_DEFINE(ProcessDefinition, SetProcessIconImage, xpm);
    } else {
      String file = IconImageFile();
      if (!file.IsEmpty()) TRVX_DEFINE(ProcessDefinition, SetProcessIconImageFile, file.c_str());
    }
    if (const char** xpm = SmallIconImageXPM()) {
      TRVX_DEFINE(ProcessDefinition, SetProcessIconSmallImage, xpm);
    } else {
      String file = SmallIconImageFile();
      if (!file.IsEmpty())
        TRVX_DEFINE(ProcessDefinition, SetProcessIconSmallImageFile, file.c_str());
    }
  }

  TRVX_DEFINE(ProcessDefinition, SetProcessClassInitializationRoutine, &D::InitializeClass);
  TRVX_DEFINE(ProcessDefinition, SetProcessCreationRoutine, &D::Create);
  TRVX_DEFINE(ProcessDefinition, SetProcessDestructionRoutine, &D::Destroy);
  TRVX_DEFINE(ProcessDefinition, SetProcessClonationRoutine, &D::Clone);
  TRVX_DEFINE(ProcessDefinition, SetProcessTestClonationRoutine, &D::TestClone);
  TRVX_DEFINE(ProcessDefinition, SetProcessSetServerHandleRoutine, &D::SetServerHandle);
  if (IsAssignable()) TRVX_DEFINE(ProcessDefinition, SetProcessAssignmentRoutine, &D::Assign);
  if (NeedsInitialization())
    TRVX_DEFINE(ProcessDefinition, SetProcessInitializationRoutine, &D::Initialize);
  if (NeedsValidation()) TRVX_DEFINE(ProcessDefinition, SetProcessValidationRoutine, &D::Validate);
  if (CanProcessCommandLines())
    TRVX_DEFINE(ProcessDefinition, SetProcessCommandLineProcessingRoutine, &D::ProcessCommandLine);
  if (CanEditPreferences())
    TRVX_DEFINE(ProcessDefinition, SetProcessEditPreferencesRoutine, &D::EditPreferences);
  if (CanBrowseDocumentation())
    TRVX_DEFINE(ProcessDefinition, SetProcessBrowseDocumentationRoutine, &D::BrowseDocumentation);
  TRVX_DEFINE(ProcessDefinition, SetProcessExecutionPreferencesRoutine, &D::PrefersGlobalExecution);
  if (CanProcessViews()) {
    TRVX_DEFINE(ProcessDefinition, SetProcessExecutionValidationRoutine, &D::CanExecuteOnView);
    TRVX_DEFINE(ProcessDefinition, SetProcessMaskValidationRoutine, &D::IsMaskable);
    TRVX_DEFINE(ProcessDefinition, SetProcessHistoryUpdateValidationRoutine, &D::IsHistoryUpdater);
    TRVX_DEFINE(ProcessDefinition, SetProcessUndoModeRoutine, &D::UndoMode);
    TRVX_DEFINE(ProcessDefinition, SetProcessPreExecutionRoutine, &D::BeforeExecution);
    TRVX_DEFINE(ProcessDefinition, SetProcessExecutionRoutine, &D::ExecuteOnView);
    TRVX_DEFINE(ProcessDefinition, SetProcessPostExecutionRoutine, &D::AfterExecution);
  }
  if (CanProcessGlobal()) {
    TRVX_DEFINE(ProcessDefinition, SetProcessGlobalExecutionValidationRoutine,
                &D::CanExecuteGlobal);
    TRVX_DEFINE(ProcessDefinition, SetProcessPreGlobalExecutionRoutine, &D::BeforeGlobalExecution);
    TRVX_DEFINE(ProcessDefinition, SetProcessGlobalExecutionRoutine, &D::ExecuteGlobal);
    TRVX_DEFINE(ProcessDefinition, SetProcessPostGlobalExecutionRoutine, &D::AfterGlobalExecution);
  }
  if (CanProcessImages()) {
    TRVX_DEFINE(ProcessDefinition, SetProcessImageExecutionValidationRoutine,
                &D::CanExecuteOnImage);
    TRVX_DEFINE(ProcessDefinition, SetProcessImageExecutionRoutine, &D::ExecuteOnImage);
  }
  TRVX_DEFINE(ProcessDefinition, SetProcessDefaultInterfaceSelectionRoutine, &D::DefaultInterface);
  TRVX_DEFINE(ProcessDefinition, SetProcessInterfaceSelectionRoutine, &D::SelectInterface);
  TRVX_DEFINE(ProcessDefinition, SetProcessInterfaceValidationRoutine, &D::IsValidInterface);
  TRVX_DEFINE(ProcessDefinition, SetProcessPreReadingRoutine, &D::BeforeReading);
  TRVX_DEFINE(ProcessDefinition, SetProcessPostReadingRoutine, &D::AfterReading);
  TRVX_DEFINE(ProcessDefinition, SetProcessPreWritingRoutine, &D::BeforeWriting);
  TRVX_DEFINE(ProcessDefinition, SetProcessPostWritingRoutine, &D::AfterWriting);
  if (CanProcessIPCMessages()) {
    TRVX_DEFINE(ProcessDefinition, SetProcessIPCStartRoutine, &D::IPCStart);
    TRVX_DEFINE(ProcessDefinition, SetProcessIPCStopRoutine, &D::IPCStop);
    TRVX_DEFINE(ProcessDefinition, SetProcessIPCSetParametersRoutine, &D::IPCSetParameters);
    TRVX_DEFINE(ProcessDefinition, SetProcessIPCGetStatusRoutine, &D::IPCStatus);
  }

  for (size_t i = 0; i < Length(); ++i) Parameter(i)->PerformAPIDefinitions();

  TRVX_DEFINE(ProcessDefinition, EndProcessDefinition);
  TRVX_DEFINE(ProcessDefinition, ExitProcessDefinitionContext);
}

}  // namespace px
