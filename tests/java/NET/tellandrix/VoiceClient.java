package NET.tellandrix;

import java.io.IOException;
import java.nio.ByteOrder;
import java.nio.MappedByteBuffer;
import java.nio.channels.FileChannel;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardOpenOption;
import java.nio.file.attribute.PosixFilePermissions;

/** Plays the voice client: creates the shared object "/MumbleLink" and reads the record. */
final class VoiceClient implements AutoCloseable {
    static final Path OBJECT = Path.of("/dev/shm/MumbleLink");
    static final int RECORD_SIZE = 5460;

    final MappedByteBuffer record;

    private VoiceClient(int size) throws IOException {
        remove();
        try (FileChannel channel = FileChannel.open(OBJECT,
                java.util.Set.of(StandardOpenOption.CREATE_NEW, StandardOpenOption.READ, StandardOpenOption.WRITE),
                PosixFilePermissions.asFileAttribute(PosixFilePermissions.fromString("rw-------")))) {
            record = channel.map(FileChannel.MapMode.READ_WRITE, 0, size);
        }
        record.order(ByteOrder.LITTLE_ENDIAN);
    }

    static VoiceClient start() throws IOException {
        return new VoiceClient(RECORD_SIZE);
    }

    static void remove() throws IOException {
        Files.deleteIfExists(OBJECT);
    }

    @Override
    public void close() throws IOException {
        remove();
    }

    int version() { return record.getInt(0); }
    int tick() { return record.getInt(4); }
    float avatarPosition(int i) { return record.getFloat(8 + 4 * i); }
    float avatarFront(int i) { return record.getFloat(20 + 4 * i); }
    float avatarTop(int i) { return record.getFloat(32 + 4 * i); }
    float cameraPosition(int i) { return record.getFloat(556 + 4 * i); }
    float cameraFront(int i) { return record.getFloat(568 + 4 * i); }
    float cameraTop(int i) { return record.getFloat(580 + 4 * i); }
    String name() { return text(44, 256); }
    String identity() { return text(592, 256); }
    int contextLength() { return record.getInt(1104); }
    byte contextByte(int i) { return record.get(1108 + i); }
    String description() { return text(1364, 2048); }

    boolean allZero() {
        for (int i = 0; i < RECORD_SIZE; i++) if (record.get(i) != 0) return false;
        return true;
    }

    /** Units of a text field up to its first zero unit. */
    String text(int offset, int units) {
        StringBuilder text = new StringBuilder();
        for (int i = 0; i < units; i++) {
            char unit = record.getChar(offset + 2 * i);
            if (unit == 0) break;
            text.append(unit);
        }
        return text.toString();
    }

    byte[] contextBytes() {
        byte[] bytes = new byte[16];
        for (int i = 0; i < 16; i++) bytes[i] = contextByte(i);
        return bytes;
    }

    static byte[] utf16le(String s) { return s.getBytes(StandardCharsets.UTF_16LE); }
}
