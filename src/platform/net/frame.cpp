#include "platform/net/frame.h"

namespace dfe::net {
namespace {

constexpr char kMagic[3] = {'D', 'F', 'E'};

std::string TooLarge(size_t size, size_t max) {
    return "quadro de " + std::to_string(size) + " bytes excede o limite de " + std::to_string(max) +
           " bytes";
}

} // namespace

std::string EncodeFrame(std::string_view payload, size_t maxPayload) {
    if (payload.size() > maxPayload || payload.size() > UINT32_MAX) {
        throw FrameError(TooLarge(payload.size(), maxPayload));
    }
    ByteWriter out;
    out.Out().reserve(kFrameHeaderSize + payload.size());
    out.Raw(std::string_view(kMagic, 3));
    out.U8(kProtocolVersion);
    out.U32(static_cast<uint32_t>(payload.size()));
    out.Raw(payload);
    return out.Take();
}

size_t ParseFrameHeader(std::string_view header, size_t maxPayload) {
    if (header.size() < kFrameHeaderSize) throw FrameError("quadro truncado");
    if (header.substr(0, 3) != std::string_view(kMagic, 3)) throw FrameError("cabeçalho de quadro inválido");
    ByteReader in(header.substr(3, 5));
    const uint8_t version = in.U8();
    if (version != kProtocolVersion) {
        throw FrameError("versão de protocolo não suportada: " + std::to_string(version));
    }
    const size_t size = in.U32();
    if (size > maxPayload) throw FrameError(TooLarge(size, maxPayload));
    return size;
}

std::string_view UnwrapFrame(std::string_view frame, size_t maxPayload) {
    const size_t size = ParseFrameHeader(frame, maxPayload);
    if (frame.size() - kFrameHeaderSize < size) throw FrameError("quadro truncado");
    if (frame.size() - kFrameHeaderSize > size) throw FrameError("bytes a mais depois do quadro");
    return frame.substr(kFrameHeaderSize, size);
}

} // namespace dfe::net
