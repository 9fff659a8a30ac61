package NET.tellandrix;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import java.util.concurrent.TimeUnit;
import org.junit.jupiter.api.AfterAll;
import org.junit.jupiter.api.MethodOrderer;
import org.junit.jupiter.api.Order;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.TestMethodOrder;

/**
 * The library in a real virtual machine, through the Java class. The attachment is process-wide
 * state, so the tests run in the order of a host's life: before initMumble, after an initMumble
 * that found nothing, attached, re-attached.
 */
@TestMethodOrder(MethodOrderer.OrderAnnotation.class)
class MumbleLinkEndToEndTest {

    static void frame(String identity, String context) {
        MumbleLink.updateMumble(identity, 1, 2, 3, 4, 5, 6, 0, 0, context);
    }

    @AfterAll
    static void removeObject() throws IOException {
        VoiceClient.remove();
    }

    @Test
    @Order(1)
    void updateBeforeInitWritesNothing() throws IOException {
        try (VoiceClient client = VoiceClient.start()) {
            frame("Alice", "Server01");
            assertTrue(client.allZero());
        }
    }

    @Test
    @Order(2)
    void initWithoutVoiceClientLeavesFramesUnpublished() throws IOException {
        VoiceClient.remove();
        MumbleLink.initMumble();
        try (VoiceClient client = VoiceClient.start()) {
            frame("Alice", "Server01");
            assertTrue(client.allZero());
        }
    }

    @Test
    @Order(3)
    void initAfterVoiceClientStartsPublishesEveryField() throws IOException {
        try (VoiceClient client = VoiceClient.start()) {
            MumbleLink.initMumble();
            MumbleLink.updateMumble("Alice", 1, 2, 3, 4, 5, 6, (float) (Math.PI / 2), 0, "ABCDEFGHIJ");
            assertEquals(2, client.version());
            assertEquals(1, client.tick());
            assertEquals("ZevrinMumbleLink", client.name());
            assertEquals("ZevrinMumbleLink is a link for tellandrix.net", client.description());
            assertEquals(List.of(1f, 3f, 2f), List.of(client.avatarPosition(0), client.avatarPosition(1), client.avatarPosition(2)));
            assertEquals(List.of(4f, 6f, 5f), List.of(client.cameraPosition(0), client.cameraPosition(1), client.cameraPosition(2)));
            assertEquals(0, client.avatarFront(0), 1e-6);
            assertEquals(0, client.avatarFront(1));
            assertEquals(1, client.avatarFront(2), 1e-6);
            assertEquals(List.of(0f, 1f, 0f), List.of(client.avatarTop(0), client.avatarTop(1), client.avatarTop(2)));
            assertEquals(List.of(0f, 0f, 1f), List.of(client.cameraFront(0), client.cameraFront(1), client.cameraFront(2)));
            assertEquals(List.of(0f, 1f, 0f), List.of(client.cameraTop(0), client.cameraTop(1), client.cameraTop(2)));
            assertEquals("Alice", client.identity());
            assertArrayEquals(VoiceClient.utf16le("ABCDEFGH"), client.contextBytes());
            assertEquals(16, client.contextLength());

            frame("Bob", "Server01");
            assertEquals(2, client.tick());
            assertEquals("Bob", client.identity());
        }
    }

    @Test
    @Order(4)
    void nullAndOversizedStringsAreHandled() throws IOException {
        try (VoiceClient client = VoiceClient.start()) {
            MumbleLink.initMumble();
            frame(null, null);
            assertEquals(1, client.tick());
            assertEquals("", client.identity());
            assertArrayEquals(new byte[16], client.contextBytes());
            frame("x".repeat(300), "AB");
            assertEquals("x".repeat(256), client.identity());
            assertArrayEquals(VoiceClient.utf16le("AB\0\0\0\0\0\0"), client.contextBytes());
        }
    }

    @Test
    @Order(5)
    void reattachmentFollowsARecreatedObject() throws IOException {
        try (VoiceClient first = VoiceClient.start()) {
            MumbleLink.initMumble();
            frame("Alice", "Server01");
            assertEquals(1, first.tick());
        }
        try (VoiceClient second = VoiceClient.start()) {
            MumbleLink.initMumble();
            MumbleLink.initMumble();
            frame("Alice", "Server01");
            assertEquals(1, second.tick());
            assertEquals("Alice", second.identity());
        }
    }

    /** Resident memory of this process, in kilobytes. */
    static long residentKilobytes() throws IOException {
        for (String line : Files.readAllLines(Path.of("/proc/self/status"))) {
            if (line.startsWith("VmRSS:")) return Long.parseLong(line.replaceAll("[^0-9]", ""));
        }
        throw new IllegalStateException("no VmRSS");
    }

    @Test
    @Order(6)
    void aMillionFramesLeaveResidentMemoryFlat() throws IOException {
        try (VoiceClient client = VoiceClient.start()) {
            MumbleLink.initMumble();
            String identity = "Player-0123456789";
            String context = "Server01-Room";
            for (int i = 0; i < 200_000; i++) MumbleLink.updateMumble(identity, i, 0, 0, 0, 0, 0, i, 0, context);
            long before = residentKilobytes();
            for (int i = 0; i < 1_000_000; i++) MumbleLink.updateMumble(identity, i, 0, 0, 0, 0, 0, i, 0, context);
            long grown = residentKilobytes() - before;
            System.out.printf("resident memory over 1000000 frames: %+d kB%n", grown);
            assertEquals(1_200_000, client.tick());
            // Characters kept back by every frame would cost well over 40 MB here.
            assertTrue(grown < 8 * 1024, "resident memory grew by " + grown + " kB");
        }
    }

    @Test
    @Order(7)
    void instanceMethodsWorkInTheirOwnVirtualMachine() throws Exception {
        try (VoiceClient client = VoiceClient.start()) {
            Path stderr = Files.createTempFile("mumblezevrin-instance", ".err");
            Process host = new ProcessBuilder(
                    Path.of(System.getProperty("java.home"), "bin", "java").toString(),
                    "-Xcheck:jni",
                    "-Djava.library.path=" + System.getProperty("java.library.path"),
                    "-cp", System.getProperty("mumblezevrin.instanceJar"),
                    "NET.tellandrix.MumbleLink")
                    .redirectError(stderr.toFile())
                    .start();
            assertTrue(host.waitFor(60, TimeUnit.SECONDS));
            String errors = Files.readString(stderr);
            Files.delete(stderr);
            assertEquals(0, host.exitValue(), errors);
            assertFalse(errors.contains("WARNING in native method"), errors);
            assertEquals(3, client.tick());
            assertEquals("Instance", client.identity());
            assertArrayEquals(VoiceClient.utf16le("Instance"), client.contextBytes());
        }
    }
}
