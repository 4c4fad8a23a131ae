# The server's identities. Clients compiled against one build must keep working with the next,
# and an installed package must be upgraded in place by the next, so these were generated once
# and never change.
set(SHEETPUSH_LIBID 1483D782-A65D-4537-8B1A-614D71B36BBC)
set(SHEETPUSH_IID_EXCELLINKE 28ADC7E8-A17A-4835-B394-80F464DCBA9E)
set(SHEETPUSH_CLSID_EXCELLINKE A500801F-3070-4A68-B1F7-F19A247AA098)
# Class ExcelTable, in a type library of its own beside the one above.
set(SHEETPUSH_TABLES_LIBID CAD7DB40-233B-4622-B2A4-9304E9CFB5A2)
set(SHEETPUSH_IID_EXCELTABLE 7F41EC35-FBCC-4FF2-804D-7C645C7F4576)
set(SHEETPUSH_CLSID_EXCELTABLE 3A8540EA-ECE8-4328-AD3E-E53AB1147FEE)
set(SHEETPUSH_UPGRADE_CODE 66550D12-0E1E-4760-ADFE-6FDF73599163)
# Each method's DISPID, which clients compiled against one build also keep: the type libraries
# and the server's dispatch take them from here. ExcelTable's follow the numbering of ExcelLinke's.
set(SHEETPUSH_DISPIDS Sheetpush=0x60030000 ImportFromExcel=0x60030001 ExcelLinking=0x60030002
  SheetpushTable=0x60030000 ImportTable=0x60030001)
