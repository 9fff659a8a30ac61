package NET.tellandrix.demo;

import NET.tellandrix.MumbleLink;
import java.util.concurrent.locks.LockSupport;

/**
 * A demo host: an avatar walks a circle, facing the way it walks, with the camera following
 * behind and above, publishing about 50 frames a second.
 *
 * <pre>java -cp mumblelink.jar:demo.jar NET.tellandrix.demo.CircleWalk [seconds] [identity]</pre>
 */
public final class CircleWalk {
    public static final int FRAMES_PER_SECOND = 50;
    public static final float RADIUS = 8;
    public static final float GROUND = 64;
    public static final double SECONDS_PER_LAP = 12;
    public static final String CONTEXT = "Demo-World";

    /** One frame's values, in the order updateMumble takes them. */
    public record Frame(float avatarX, float avatarZ, float avatarY,
                        float cameraX, float cameraZ, float cameraY,
                        float azimuth, float elevation) {
        public void publish(String identity, String context) {
            MumbleLink.updateMumble(identity, avatarX, avatarZ, avatarY,
                    cameraX, cameraZ, cameraY, azimuth, elevation, context);
        }
    }

    /** Frame number {@code n}, counted from 0 at the start of the walk. */
    public static Frame frame(long n) {
        double angle = 2 * Math.PI * n / (SECONDS_PER_LAP * FRAMES_PER_SECOND);
        double x = RADIUS * Math.cos(angle);
        double z = RADIUS * Math.sin(angle);
        // Walking anticlockwise seen from above: the heading runs a quarter turn ahead.
        double azimuth = angle + Math.PI / 2;
        double elevation = 0.15 * Math.sin(3 * angle);
        double cameraX = x - 3 * Math.cos(azimuth);
        double cameraZ = z - 3 * Math.sin(azimuth);
        return new Frame((float) x, (float) z, GROUND, (float) cameraX, (float) cameraZ, GROUND + 2.5f,
                (float) (azimuth % (2 * Math.PI)), (float) elevation);
    }

    public static void main(String[] args) {
        double seconds = args.length > 0 ? Double.parseDouble(args[0]) : 10;
        String identity = args.length > 1 ? args[1] : "DemoWalker";
        long frames = Math.round(seconds * FRAMES_PER_SECOND);
        long period = 1_000_000_000L / FRAMES_PER_SECOND;
        long start = System.nanoTime();
        System.out.printf("walking a circle of radius %.0f as \"%s\" in \"%s\" for %.0f s%n",
                RADIUS, identity, CONTEXT, seconds);
        for (long n = 0; n < frames; n++) {
            // Once a second: attach if the voice client has come up since.
            if (n % FRAMES_PER_SECOND == 0) {
                MumbleLink.initMumble();
                Frame f = frame(n);
                System.out.printf("  %3d s  frame %5d  avatar (%6.2f, %6.2f)  heading %5.1f deg%n",
                        n / FRAMES_PER_SECOND, n, f.avatarX(), f.avatarZ(), Math.toDegrees(f.azimuth()));
            }
            frame(n).publish(identity, CONTEXT);
            long wait = start + (n + 1) * period - System.nanoTime();
            if (wait > 0) LockSupport.parkNanos(wait);
        }
        System.out.printf("published %d frames%n", frames);
    }
}
