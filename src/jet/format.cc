#include "jet/format.h"

namespace jet {

const Format& Jet3Format() {
  static const Format kJet3 = {
      .version = JetVersion::kJet3,
      .page_size = 2048,
      .encrypted_header_length = 126,
      .data_row_count_offset = 8,
      .data_row_table_offset = 10,
      .tdef_length_offset = 8,
      .tdef_row_count_offset = 12,
      .tdef_autonumber_offset = 16,
      .tdef_table_type_offset = 20,
      .tdef_max_columns_offset = 21,
      .tdef_var_columns_offset = 23,
      .tdef_column_count_offset = 25,
      .tdef_index_count_offset = 27,
      .tdef_real_index_count_offset = 31,
      .tdef_used_pages_offset = 35,
      .tdef_free_pages_offset = 39,
      .tdef_block_end = 43,
      .real_index_count_entry_size = 8,
      .column_entry_size = 18,
      .column_type_offset = 0,
      .column_number_offset = 1,
      .column_var_index_offset = 3,
      .column_id_offset = 5,
      .column_misc_offset = 9,
      .column_flags_offset = 13,
      .column_misc_flags_offset = 0,
      .column_fixed_offset_offset = 14,
      .column_length_offset = 16,
      .column_name_length_size = 1,
      .real_index_entry_size = 39,
      .real_index_columns_offset = 0,
      .logical_index_entry_size = 20,
      .row_column_count_size = 1,
      .row_var_offset_size = 1,
      .usage_map_bytes = 128,
  };
  return kJet3;
}

const Format& Jet4Format() {
  static const Format kJet4 = {
      .version = JetVersion::kJet4,
      .page_size = 4096,
      .encrypted_header_length = 128,
      .data_row_count_offset = 12,
      .data_row_table_offset = 14,
      .tdef_length_offset = 8,
      .tdef_row_count_offset = 16,
      .tdef_autonumber_offset = 20,
      .tdef_table_type_offset = 40,
      .tdef_max_columns_offset = 41,
      .tdef_var_columns_offset = 43,
      .tdef_column_count_offset = 45,
      .tdef_index_count_offset = 47,
      .tdef_real_index_count_offset = 51,
      .tdef_used_pages_offset = 55,
      .tdef_free_pages_offset = 59,
      .tdef_block_end = 63,
      .real_index_count_entry_size = 12,
      .column_entry_size = 25,
      .column_type_offset = 0,
      .column_number_offset = 5,
      .column_var_index_offset = 7,
      .column_id_offset = 9,
      .column_misc_offset = 11,
      .column_flags_offset = 15,
      .column_misc_flags_offset = 16,
      .column_fixed_offset_offset = 21,
      .column_length_offset = 23,
      .column_name_length_size = 2,
      .real_index_entry_size = 52,
      .real_index_columns_offset = 4,
      .logical_index_entry_size = 28,
      .row_column_count_size = 2,
      .row_var_offset_size = 2,
      .usage_map_bytes = 64,
  };
  return kJet4;
}

}  // namespace jet
