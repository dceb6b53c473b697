#include "flash/flash_commands.h"

#include "platform/shown_text.h"

namespace kavu::flash {

namespace {

Command quotedImage(Command command, const QString& image) {
    return command.fixed(u"\"").typed(image, Splice::PcQuoted).fixed(u"\"");
}

} // namespace

Command flashCommand(Partition partition, const QString& image, const QString& customName) {
    switch (partition) {
    case Partition::Recovery:
        return quotedImage(Command(u"fastboot flash recovery "), image);
    case Partition::System:
        return quotedImage(Command(u"fastboot flash system "), image);
    case Partition::Persist:
        return quotedImage(Command(u"fastboot flash persist "), image);
    case Partition::Boot:
        return quotedImage(Command(u"fastboot flash boot "), image);
    case Partition::Custom:
        // The name stands bare, as fastboot's own argument; an empty one is left to fastboot.
        return quotedImage(
            Command(u"fastboot flash ").typed(customName, Splice::PartitionName).fixed(u" "),
            image);
    }
    return {};
}

Command flashSuffix(Partition partition) {
    return Command(shownConsoleText(partition == Partition::Recovery
                                        ? launch::kFlashDoneRecoverySuffix
                                        : launch::kFlashDoneSuffix));
}

Command bootCommand(const QString& image) {
    return quotedImage(Command(u"fastboot boot "), image);
}

} // namespace kavu::flash
