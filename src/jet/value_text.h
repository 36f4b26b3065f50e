// ValueText: a field's value as the text the engine hands out.
//   Boolean            "1" or "0"
//   Byte .. Long       decimal
//   Currency           decimal with four places ("3.5000")
//   Single, Double     shortest decimal that reads back the same ("444.555")
//   Date/Time          "YYYY-MM-DD HH:MM:SS" (seconds rounded)
//   GUID               "{6B29FC40-CA47-1067-B31D-00DD010662DA}"
//   Decimal            decimal with the column's scale ("-12.340")
//   Text, Memo         UTF-8
//   Binary, OLE        upper-case hexadecimal of the bytes
//   null               empty text
#pragma once

#include <string>

#include "jet/format.h"
#include "jet/long_value.h"
#include "jet/page_file.h"
#include "jet/row_decoder.h"
#include "jet/status.h"
#include "jet/table_def.h"

namespace jet {

class ValueText {
 public:
  // `file` and `format` must outlive this object.
  ValueText(const PageFile& file, const Format& format)
      : format_(format), long_values_(file, format) {}

  // Appends the text of `field`, a value of `column`, to *out. A field whose
  // size does not fit its type is Corruption.
  Status Append(const ColumnDef& column, const FieldBytes& field, std::string* out);

 private:
  const Format& format_;
  LongValueReader long_values_;
  std::string long_value_;  // reused between memo and OLE values
};

}  // namespace jet
