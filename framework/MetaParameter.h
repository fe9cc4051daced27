// Base of a parameter descriptor: the identity, flags and host type of one
// process parameter (or table column). Concrete parameters derive from one of
// the kinds (MetaDouble, MetaBoolean, MetaString, MetaTable).
#ifndef TRVX_FRAMEWORK_METAPARAMETER_H
#define TRVX_FRAMEWORK_METAPARAMETER_H

#include <cstdint>

#include "core/IsoString.h"
#include "core/String.h"
#include "framework/MetaObject.h"
#include "host/HostAPI.h"

namespace px {

class MetaProcess;
class MetaTable;

class MetaParameter : public MetaObject {
 public:
  // A parameter of `process`. Throws Error "MetaParameter: Illegal null
  // MetaProcess parent pointer" when it is null.
  explicit MetaParameter(MetaProcess* process);
  // A column of `table`. Throws Error "MetaParameter: Illegal null MetaTable
  // parent pointer" when it is null.
  explicit MetaParameter(MetaTable* table);

  // The parameter definition sequence; a column while a table defines its
  // columns (inTableDefinition). REQUIRES: the host interface is bound.
  void PerformAPIDefinitions() const override;

  virtual IsoString Id() const = 0;
  virtual IsoString Aliases() const { return IsoString(); }
  virtual bool NeedsUnlocking() const { return false; }
  virtual bool NeedsValidation() const { return false; }
  virtual uint32_t FirstProcessVersion() const { return 0; }
  virtual uint32_t LastProcessVersion() const { return 0; }
  virtual bool IsRequired() const { return false; }
  virtual bool IsReadOnly() const { return false; }
  virtual String Description() const { return String(); }
  virtual String Comment() const { return String(); }

  virtual bool IsNumeric() const { return false; }
  virtual bool IsBoolean() const { return false; }
  virtual bool IsEnumeration() const { return false; }
  virtual bool IsVariableLength() const { return false; }
  virtual bool IsString() const { return false; }
  virtual bool IsTable() const { return false; }
  virtual bool IsBlock() const { return false; }

  // The kind's own definition calls (default value, limits, columns).
  virtual void PerformTypeAPIDefinitions() const {}
  // Host type code (API_PARTYPE_*).
  virtual int32_t APIParType() const = 0;

  // The handle the host knows this parameter by.
  api_handle Handle() const;

  // Set while a table defines its columns; clear at all other times.
  // Process-wide, unguarded: definitions run once, on one thread.
  static bool inTableDefinition;
};

}  // namespace px

#endif
