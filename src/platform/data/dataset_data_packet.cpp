#include "platform/data/dataset.h"

// The dataset's ways in and out through encoded bytes; kept apart so that only programs that use them link
// the packet codec.
namespace dfe {

void DataSet::SetData(const DataPacket& packet) {
    SetData(FromDataPacket(packet));
}

void DataSet::SetData(const Variant& packet) {
    if (packet.IsNull()) {
        Close();
        return;
    }
    if (!packet.IsPacket()) {
        throw PacketError(name_ + ": esperava um pacote de dados e recebeu " +
                          VariantTypeName(packet.Type()));
    }
    SetData(packet.AsPacket());
}

DataPacket DataSet::DataPacketBytes() const {
    return ToDataPacket(Data());
}

Variant DataSet::DeltaVariant() const {
    if (ChangeCount() == 0) return Variant::Null();
    return Variant(ToDataPacket(Delta()));
}

} // namespace dfe
