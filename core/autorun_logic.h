// The pure parts of disc autorun: the per-drive-type policy, the device
// broadcast record, a disc's Autorun.inf and the audio-CD play command.
// No Windows headers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace holm {

// Drive types as GetDriveType numbers them.
constexpr unsigned kDriveRemovable = 2;
constexpr unsigned kDriveFixed = 3;
constexpr unsigned kDriveRemote = 4;
constexpr unsigned kDriveCdrom = 5;
constexpr unsigned kDriveRamdisk = 6;

// Whether discs in a drive of `driveType` autorun under the first byte of
// the NoDriveTypeAutorun policy (a set bit 1 << driveType turns it off).
// Types without a policy bit never autorun.
bool AutorunAllowed(std::uint8_t policy, unsigned driveType);

// The drives of a volume arrival that brought media (bit 0 drive A); 0 for
// any other broadcast, or one too short to hold a volume record.
std::uint32_t MediaArrivalDrives(const void* record, std::size_t available);

// The "Open" entry of the "Autorun" section of an Autorun.inf (names in any
// letter case), or "" when there is none. The file comes from a disc: any
// encoding (ANSI, UTF-8 or UTF-16 with its byte-order mark), any line
// length and any garbage are taken without harm; bytes outside ASCII pass
// through (UTF-16 characters outside ASCII become '?'), and the entry is cut
// to `maxLength` characters.
std::string AutorunOpenEntry(const std::string& fileBytes, std::size_t maxLength = 4095);

// The audio-CD play command with its first "%1" replaced by `drive`.
std::string AudioCdCommand(const std::string& command, const std::string& drive);

}  // namespace holm
