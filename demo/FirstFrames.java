import NET.tellandrix.MumbleLink;
import java.nio.ByteOrder;
import java.nio.MappedByteBuffer;
import java.nio.channels.FileChannel;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardOpenOption;

/**
 * Publishes a few frames and prints what the voice client would read. Without a voice client
 * running, it creates the shared object itself, as the voice client would, and removes it after.
 */
public final class FirstFrames {
    public static void main(String[] args) throws Exception {
        Path object = Path.of("/dev/shm/MumbleLink");
        boolean ours = !Files.exists(object);
        try (FileChannel channel = FileChannel.open(object, StandardOpenOption.CREATE,
                StandardOpenOption.READ, StandardOpenOption.WRITE)) {
            MappedByteBuffer record = channel.map(FileChannel.MapMode.READ_WRITE, 0, 5460);
            record.order(ByteOrder.LITTLE_ENDIAN);
            MumbleLink.initMumble();
            for (int i = 0; i < 5; i++) {
                float angle = i * 0.5f;
                MumbleLink.updateMumble("Player1", i, 2 * i, 64, i, 2 * i, 65.6f, angle, 0, "World-01");
                System.out.printf("tick %d  avatar (%.1f, %.1f, %.1f)  front (%.3f, %.3f, %.3f)  identity %s%n",
                        record.getInt(4), record.getFloat(8), record.getFloat(12), record.getFloat(16),
                        record.getFloat(20), record.getFloat(24), record.getFloat(28), text(record, 592, 256));
            }
            System.out.printf("version %d, name \"%s\", context \"%s\" (%d bytes)%n", record.getInt(0),
                    text(record, 44, 256), text(record, 1108, 8), record.getInt(1104));
        } finally {
            if (ours) Files.deleteIfExists(object);
        }
    }

    static String text(MappedByteBuffer record, int offset, int units) {
        StringBuilder s = new StringBuilder();
        for (int i = 0; i < units && record.getChar(offset + 2 * i) != 0; i++) s.append(record.getChar(offset + 2 * i));
        return s.toString();
    }
}
