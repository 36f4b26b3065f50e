// Turns a value given as text (UTF-8, or decimal for numbers) into the bytes
// a Jet 4 row stores for a column, checking that it fits the column.
#pragma once

#include <string>
#include <string_view>

#include "jet/status.h"
#include "jet/table_def.h"

namespace jet {

// For Text, Boolean and number columns (memo and OLE values go through the
// long value writer). InvalidArgument, naming the column, for text longer
// than the column or a number column given something that is not a number
// in its range; NotSupported for other column types.
Status EncodeValue(const ColumnDef& column, std::string_view text, std::string* stored);

// The encoded bytes of text for a Text or Memo column, honouring the column's
// compressed-unicode flag; *characters gets its length in UTF-16 units, the
// measure of a column's length. InvalidArgument when the text is not UTF-8.
Status EncodeColumnText(const ColumnDef& column, std::string_view text, std::string* stored,
                        size_t* characters);

}  // namespace jet
