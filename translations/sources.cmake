# The folders and files lupdate reads for translations/zqsuite_en.ts (relative to the source root),
# and its options: no source locations, so the catalogue only changes when a text does.
set(ZQ_TS_SOURCES comkit devices editor emulator controls/dsp flasher appkit tools/zqcatalog tools/zqe tools/zqflash tools/zqpanel-sim tools/zqplc-sim translations/model_texts.cpp)
set(ZQ_TS_OPTIONS -locations none -no-ui-lines -silent -source-language zh_CN -target-language en)
